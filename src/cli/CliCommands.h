#pragma once

#include "cli/CliArgs.h"

#include <QStringList>
#include <QTextStream>

// The commands, one source file each.
const TCliCommand& ReadCommand();
const TCliCommand& WriteCommand();
const TCliCommand& InfoCommand();
const TCliCommand& SettingsCommand();
const TCliCommand& ScanCommand();
const TCliCommand& EmulateCommand();
const TCliCommand& RecordCommand();
const TCliCommand& ExportCommand();
const TCliCommand& IoCommand();
const TCliCommand& MonitorCommand();
const TCliCommand& ProfilesCommand();
const TCliCommand& FilesCommand();
const TCliCommand& ConverterCommand();
const TCliCommand& BackupCommand();
const TCliCommand& RestoreCommand();
const TCliCommand& DiffCommand();
// In the order the general help lists them.
const std::vector<const TCliCommand*>& CliCommands();

// The whole command line after the program's name: the command and its arguments. --help and
// --version, alone, leave Options.Command empty.
TCliParseResult ParseCliArguments(const QStringList& Args);
// The general usage: the commands with a line each.
QString CliUsage();

// Runs one command line (the arguments after the program name) and returns the exit status:
// 0 done, 1 no answer or a port that cannot be used, 2 bad arguments.
int RunCli(const QStringList& Args, QTextStream& Out, QTextStream& Err);
