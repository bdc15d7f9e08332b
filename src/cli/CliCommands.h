#pragma once

#include <QStringList>
#include <QTextStream>

// Runs one command line (the arguments after the program name) and returns the exit status:
// 0 done, 1 no answer or a port that cannot be used, 2 bad arguments.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);
