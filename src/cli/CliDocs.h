#pragma once

#include <QString>

// The command-line tool's manual page and bash completion, written from the same command and option
// tables that the parser and --help use, so that neither can fall behind the program.

// The manual page dovuvavarovod-cli(1), in man(7) markup.
QString CliManualPage();
// A bash completion script for dovuvavarovod-cli: commands, each command's options, and the values
// of options that take one of a few words.
QString CliBashCompletion();
