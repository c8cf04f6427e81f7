// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataLocation.h"

#include <cerrno>
#include <cstring>

#include "app/PathText.h"
#include "files/FileIo.h"

namespace {

std::string Join(const std::string& strDir, const char* pszName) {
    if (!strDir.empty() && IsPathSeparator(strDir.back())) return strDir + pszName;
    return strDir + '/' + pszName;
}

std::string BundledTriviaPath(const std::string& strExeDir) {
    return Join(DirectoryOf(strExeDir), "share/brisaloo/triv.dat");
}

// Notes and triv.tmp in strNotesDir. A triv.dat there wins (the user's own
// packed set); then the one beside the executable; then the bundled one.
DataLocation Place(DataPlace place, const std::string& strNotesDir, const std::string& strExeDir,
                   const std::string& strMissingTrivia, const FileExistsFn& fileExists) {
    DataLocation location;
    location.place = place;
    location.strNotesDir = strNotesDir;
    location.strNotesPath = Join(strNotesDir, "notes.dat");
    location.strTrivTmpDir = strNotesDir;
    location.strTrivTmpPath = Join(strNotesDir, "triv.tmp");
    location.bCreateNotesDir = place != DataPlace::BesideExecutable;
    location.strTrivPath = strMissingTrivia;
    for (const std::string& strCandidate :
         {Join(strNotesDir, "triv.dat"), Join(strExeDir, "triv.dat"),
          BundledTriviaPath(strExeDir)}) {
        if (fileExists(strCandidate)) {
            location.strTrivPath = strCandidate;
            break;
        }
    }
    return location;
}

}  // namespace

std::string UserDataDir(const std::string& strXdgDataHome, const std::string& strHome) {
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base
    // directory rules ask.
#ifdef _WIN32
    if (IsAbsolutePath(strXdgDataHome))
        return Join(WithoutTrailingSlashes(strXdgDataHome), "Brisaloo");
#endif
    if (IsAbsolutePath(strXdgDataHome))
        return Join(WithoutTrailingSlashes(strXdgDataHome), "brisaloo");
    if (IsAbsolutePath(strHome))
        return Join(WithoutTrailingSlashes(strHome), ".local/share/brisaloo");
    return {};
}

namespace {

std::string UserStateDir(const std::string& strXdgStateHome, const std::string& strHome) {
    if (IsAbsolutePath(strXdgStateHome))
        return Join(WithoutTrailingSlashes(strXdgStateHome), "brisaloo");
    if (IsAbsolutePath(strHome))
        return Join(WithoutTrailingSlashes(strHome), ".local/state/brisaloo");
    return {};
}

#ifdef _WIN32
// A folder as Windows compares folders: either slash, no trailing one, ASCII
// letters in either case.
std::string FolderKey(const std::string& strFolder) {
    std::string strKey = WithoutTrailingSlashes(strFolder);
    for (char& c : strKey) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    while (!strKey.empty() && strKey.back() == '\\') strKey.pop_back();
    return strKey;
}

// The per-user installer's folder, %LOCALAPPDATA%\Programs\Brisaloo: the user
// can write there and it holds triv.dat, yet the copy there is installed.
bool IsPerUserInstallFolder(const std::string& strExeDir, const std::string& strLocalAppData) {
    return IsAbsolutePath(strLocalAppData) &&
           FolderKey(strExeDir) == FolderKey(strLocalAppData) + "\\programs\\brisaloo";
}
#endif

// Notes and trivia by the rule in the header.
DataLocation LocateNotesAndTrivia(const DataLocationQuery& query, const FileExistsFn& fileExists) {
    const std::string strExeDir = WithoutTrailingSlashes(query.strExeDir);

    if (query.strDataDir && !query.strDataDir->empty()) {
        const std::string strDataDir = WithoutTrailingSlashes(*query.strDataDir);
        return Place(DataPlace::DataDir, strDataDir, strExeDir, Join(strDataDir, "triv.dat"),
                     fileExists);
    }

    const std::string strBeside = Join(strExeDir, "triv.dat");
    const std::string strBundled = BundledTriviaPath(strExeDir);
    const bool bFolderCopy = fileExists(strBeside) || fileExists(Join(strExeDir, "notes.dat")) ||
                             !fileExists(strBundled);
    const std::string strUserDir = UserDataDir(query.strXdgDataHome, query.strHome);
#ifdef _WIN32
    if (!strUserDir.empty() && IsPerUserInstallFolder(strExeDir, query.strXdgDataHome))
        return Place(DataPlace::UserDataHome, strUserDir, strExeDir, strBeside, fileExists);
#endif
    // With no home directory known there is nowhere else to go: the folder
    // it is, and a failed save says so.
    if ((query.bExeDirWritable && bFolderCopy) || strUserDir.empty())
        return Place(DataPlace::BesideExecutable, strExeDir, strExeDir, strBeside, fileExists);

    return Place(DataPlace::UserDataHome, strUserDir, strExeDir, strBundled, fileExists);
}

}  // namespace

DataLocation LocateDataFiles(const DataLocationQuery& query, const FileExistsFn& fileExists) {
    DataLocation location = LocateNotesAndTrivia(query, fileExists);
    const std::string strStateDir = UserStateDir(query.strXdgStateHome, query.strHome);
    if (location.place == DataPlace::DataDir || strStateDir.empty())
        location.strStatePath = Join(location.strNotesDir, "state");
    else
        location.strStatePath = Join(strStateDir, "state");
    return location;
}

std::string RuntimeDirectory() {
    std::string strDir = EnvOrEmpty("XDG_RUNTIME_DIR");
    if (strDir.empty() || strDir[0] != '/') return {};
    return WithoutTrailingSlashes(strDir);
}

DataLocation LocateDataFilesForThisProcess(const std::string& strExeDir,
                                           const std::optional<std::string>& strDataDir) {
    DataLocationQuery query;
    query.strExeDir = strExeDir;
    query.bExeDirWritable = CanCreateFilesIn(strExeDir);
    query.strDataDir = strDataDir;
#ifdef _WIN32
    // An installed copy under Program Files keeps the user's data in
    // %LOCALAPPDATA%\Brisaloo and reads the trivia from its own folder.
    query.strXdgDataHome = EnvOrEmpty("LOCALAPPDATA");
#else
    query.strXdgDataHome = EnvOrEmpty("XDG_DATA_HOME");
    query.strXdgStateHome = EnvOrEmpty("XDG_STATE_HOME");
    query.strHome = EnvOrEmpty("HOME");
#endif
    DataLocation location = LocateDataFiles(query, IsRegularFile);
    if (const std::string strRuntimeDir = RuntimeDirectory(); !strRuntimeDir.empty())
        location.strPrivateTmpDir = Join(strRuntimeDir, "brisaloo");
    return location;
}
