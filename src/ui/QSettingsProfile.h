#pragma once

#include <QSettings>
#include <QString>

#include "app/Profile.h"

// The profile as an INI file: [DESTINATION] and [SETTINGS] sections of
// integers, read through QSettings. A write is an edit of the file's text
// (SetIniValue) that replaces it atomically, so the user's comments, order
// and other keys stay; nothing else writes the file, and reading it never
// creates it. Tests hand in a temporary file.
class QSettingsProfile final : public IProfile {
public:
    explicit QSettingsProfile(const QString& strIniPath);

    int GetProfileInt(const std::string& strSection, const std::string& strKey,
                      int nDefault) override;
    bool WriteProfileInt(const std::string& strSection, const std::string& strKey,
                         int nValue) override;

    QString FileName() const { return m_settings.fileName(); }

    // $XDG_CONFIG_HOME/Brisaloo/Brisaloo.ini (~/.config when unset).
    static QString DefaultPath();

private:
    QSettings m_settings;
};
