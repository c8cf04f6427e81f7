// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/Profile.h"

// The profile as an INI file: [DESTINATION] and [SETTINGS] sections of
// integers. A read parses the file as it is on disk now; a write is an edit of
// the file's text (SetIniValue) that replaces it atomically, so the user's
// comments, order and other keys stay. Nothing else writes the file, and
// reading it never creates it. Tests hand in a temporary file. Paths are the
// file system's bytes on POSIX and UTF-8 on Windows.
class IniFileProfile final : public IProfile {
public:
    explicit IniFileProfile(std::string strIniPath);

    int GetProfileInt(const std::string& strSection, const std::string& strKey,
                      int nDefault) override;
    bool WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         int nValue) override;
    bool WriteProfileInts(const std::vector<ProfileWrite>& writes) override;
    std::optional<ProfileReadFailure> ReadFailure() override;

    const std::string& FileName() const { return m_strPath; }

    // $XDG_CONFIG_HOME/Brisaloo/Brisaloo.ini (~/.config when unset, empty or
    // relative); on Windows %APPDATA%\Brisaloo\Brisaloo.ini.
    static std::string DefaultPath();

private:
    std::string m_strPath;
};

// The rule of DefaultPath, given the variables: strConfigHome is
// $XDG_CONFIG_HOME (on Windows %APPDATA%, and "" when that is not absolute),
// strHome is $HOME (the root folder when it is unset or relative).
std::string DefaultProfilePath(const std::string& strConfigHome, const std::string& strHome);
