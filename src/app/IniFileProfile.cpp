// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IniFileProfile.h"

#include <utility>

#ifdef _WIN32
#include <cstdlib>
#endif

#include "app/IniText.h"
#include "app/PathText.h"
#include "app/ProfileSettings.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"

IniFileProfile::IniFileProfile(std::string strIniPath) : m_strPath(std::move(strIniPath)) {}

// The file is read afresh each time: it is small and read only at start-up
// and by --print, and a cache could serve a value older than the file (a
// rewrite within the same millisecond keeps size and time). Its values are
// kept as plain text, never decoded as anything but an integer.
int IniFileProfile::GetProfileInt(const std::string& strSection, const std::string& strKey,
                                  int nDefault) {
    std::string strText;
    if (ReadRegularFile(m_strPath, strText)) return nDefault;
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
    // while Brisaloo runs is kept; only these keys' values change.
    // A file that is there but cannot be read is never replaced: its
    // other keys and comments would be lost.
    std::string strText;
    if (const auto failure = ReadRegularFile(m_strPath, strText); failure && !failure->bAbsent)
        return false;
    std::string strEdited = strText;
    for (const ProfileWrite& write : writes)
        strEdited =
            SetIniValue(strEdited, write.strSection, write.strKey, std::to_string(write.nValue));
    if (strEdited == strText) return true;
    std::string strError;
    if (!EnsureDirectory(DirectoryOf(m_strPath), strError)) return false;
    return !ReplaceFileAtomically(m_strPath, strEdited);
}

std::optional<ProfileReadFailure> IniFileProfile::ReadFailure() {
    std::string strText;
    const auto failure = ReadRegularFile(m_strPath, strText);
    if (!failure || failure->bAbsent) return std::nullopt;
    return ProfileReadFailure{m_strPath, failure->strReason};
}

std::string DefaultProfilePath(const std::string& strConfigHome, const std::string& strHome) {
#ifdef _WIN32
    (void)strHome;
    if (!IsAbsolutePath(strConfigHome)) return {};
    return WithoutTrailingSlashes(strConfigHome) + "\\Brisaloo\\Brisaloo.ini";
#else
    // As the desktop's own libraries do: a HOME that is unset or relative
    // counts as the root folder.
    const auto joined = [](const std::string& strDir, const char* pszName) {
        return strDir.ends_with('/') ? strDir + pszName : strDir + '/' + pszName;
    };
    if (IsAbsolutePath(strConfigHome))
        return joined(WithoutTrailingSlashes(strConfigHome), "Brisaloo/Brisaloo.ini");
    const std::string strHomeDir = IsAbsolutePath(strHome) ? WithoutTrailingSlashes(strHome) : "/";
    return joined(joined(strHomeDir, ".config"), "Brisaloo/Brisaloo.ini");
#endif
}

std::string IniFileProfile::DefaultPath() {
#ifdef _WIN32
    return DefaultProfilePath(EnvOrEmpty("APPDATA"), {});
#else
    return DefaultProfilePath(EnvOrEmpty("XDG_CONFIG_HOME"), EnvOrEmpty("HOME"));
#endif
}
