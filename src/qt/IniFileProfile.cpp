// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/IniFileProfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include "app/IniText.h"
#include "app/ProfileSettings.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"

namespace {

// The core's file calls take the file system's bytes on POSIX and UTF-8 on
// Windows (where they become wide strings at the call).
std::string CorePath(const QString& strPath) {
#ifdef Q_OS_WIN
    return strPath.toUtf8().toStdString();
#else
    return QFile::encodeName(strPath).toStdString();
#endif
}

}  // namespace

IniFileProfile::IniFileProfile(const QString& strIniPath)
    : m_strFileName(strIniPath), m_strPath(CorePath(strIniPath)) {}

// The file is read afresh each time: it is small and read only at start-up
// and by --print, and a cache could serve a value older than the file (a
// rewrite within the same millisecond keeps size and time). Its values are
// kept as plain text, never decoded as anything but an integer.
int IniFileProfile::GetProfileInt(const std::string& strSection, const std::string& strKey,
                                  int nDefault) {
    std::string strText;
    if (!ReadWholeFile(m_strPath, strText)) return nDefault;
    const IniValues values = ParseIniText(strText);
    const auto found = values.find(strSection + '/' + strKey);
    if (found == values.end()) return nDefault;
    return ParseProfileInt(found->second).value_or(nDefault);
}

bool IniFileProfile::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                     int nValue) {
    return WriteProfileInts({{strSection, strKey, nValue}});
}

bool IniFileProfile::WriteProfileInts(const std::vector<ProfileWrite>& writes) {
    // The edit starts from the file as it is now, so a change made by hand
    // while Brisaloo runs is kept; only these keys' values change, all in one
    // replace of the file.
    std::string strText;
    if (!ReadWholeFile(m_strPath, strText) && errno != ENOENT) return false;
    std::string strEdited = strText;
    for (const ProfileWrite& write : writes)
        strEdited =
            SetIniValue(strEdited, write.strSection, write.strKey, std::to_string(write.nValue));
    if (strEdited == strText) return true;
    std::string strError;
    if (!EnsureDirectory(DirectoryOf(m_strPath), strError)) return false;
    return !ReplaceFileAtomically(m_strPath, strEdited);
}

QString IniFileProfile::DefaultPath() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Brisaloo/Brisaloo.ini"));
}
