// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of this run.
struct CommandLineOptions {
    enum class Action { Run, Print, Autostart, Exit };
    Action action = Action::Run;
    int nExitCode = 0;
    QString strOutput;  // printed to stdout (help, version)
    QString strError;   // printed to stderr, one line
    std::optional<QString> strDataDir;
    std::optional<QString> strFormat;  // --format: a template instead of the plain line
    bool bHidden = false;              // --hidden: start in the tray this time
    bool bAutostartOn = false;         // --autostart on|off
};

// Parses the arguments (argv[0] first). Needs a QCoreApplication for the
// program's name and version, but no display.
CommandLineOptions ParseCommandLine(const QStringList& arguments);
