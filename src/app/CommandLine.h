// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Either the program runs (opening file, when one is named), or
// it ends at once with exitCode after printing output to standard output and error to standard
// error.
struct CommandLine {
    bool run = true;
    int exitCode = 0;
    QString output;
    QString error;
    QString file;
};

// arguments as QCoreApplication::arguments() gives them, the program's own path first.
CommandLine parseCommandLine(const QStringList& arguments);
