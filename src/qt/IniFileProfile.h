// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

#include "app/Profile.h"

// The profile as an INI file: [DESTINATION] and [SETTINGS] sections of
// integers. A read parses the file as it is on disk now; a write is an edit of
// the file's text (SetIniValue) that replaces it atomically, so the user's
// comments, order and other keys stay. Nothing else writes the file, and
// reading it never creates it. Tests hand in a temporary file.
class IniFileProfile final : public IProfile {
public:
    explicit IniFileProfile(const QString& strIniPath);

    int GetProfileInt(const std::string& strSection, const std::string& strKey,
                      int nDefault) override;
    bool WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         int nValue) override;
    bool WriteProfileInts(const std::vector<ProfileWrite>& writes) override;

    QString FileName() const { return m_strFileName; }

    // $XDG_CONFIG_HOME/Brisaloo/Brisaloo.ini (~/.config when unset).
    static QString DefaultPath();

private:
    QString m_strFileName;
    std::string m_strPath;  // the same, as the file system spells it
};
