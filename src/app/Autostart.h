// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "files/FileOps.h"
#include "files/TextSink.h"

// The user's XDG autostart entry, <config home>/autostart/brisaloo.desktop,
// which starts Brisaloo hidden in the tray when the user logs in.

// The entry's text: Exec runs strExePath with --hidden and then extraArgs,
// each quoted as desktop entries require. nullopt when the path or an
// argument holds a control character, which an Exec line cannot carry.
std::optional<std::string> AutostartEntryText(const std::string& strExePath,
                                              const std::vector<std::string>& extraArgs = {});

// $XDG_CONFIG_HOME, or $HOME/.config when it is unset, empty or relative; ""
// when neither gives an absolute directory.
std::string ConfigHome(const std::string& strXdgConfigHome, const std::string& strHome);
// <config home>/autostart/brisaloo.desktop
std::string AutostartEntryPath(const std::string& strConfigHome);

// Writes the entry whole or not at all (ReplaceFileAtomically; a new entry
// gets 0644), creating the autostart folder when needed.
bool WriteAutostartEntry(const std::string& strConfigHome, const std::string& strText,
                         std::string& strError, IFileOps& ops = SystemFileOps());
// Removes the entry; an entry that is not there is no error.
bool RemoveAutostartEntry(const std::string& strConfigHome, std::string& strError,
                          bool* pbRemoved = nullptr);

#ifdef _WIN32
// On Windows the same switch is the value "Brisaloo" under the user's Run key,
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run.

// The value's command line: the quoted program path, --hidden, then
// extraArgs, quoted as CommandLineToArgvW splits them.
std::string AutostartRunCommand(const std::string& strExePath,
                                const std::vector<std::string>& extraArgs = {});
bool WriteAutostartRunValue(const std::string& strCommand, std::string& strError);
// A value that is not there is no error.
bool RemoveAutostartRunValue(std::string& strError);
// The value as it stands; nullopt when there is none.
std::optional<std::string> ReadAutostartRunValue();
#endif

// --autostart on|off for this process: reads XDG_CONFIG_HOME and HOME, writes
// or removes the entry (on Windows: the Run value), tells on out what it did
// or on err why it could not. Returns the exit code (kExitOk or kExitFailure).
int RunAutostartCommand(bool bOn, const std::string& strExePath,
                        const std::vector<std::string>& extraArgs, ITextSink& out, ITextSink& err);
