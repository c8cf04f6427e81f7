// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

// Small text operations on paths and the environment, shared by the data
// location and autostart rules.

// "/home/u" on POSIX; "C:\\Users\\u" or "\\\\server\\share" on Windows.
inline bool IsAbsolutePath(const std::string& strPath) {
    return !strPath.empty() && std::filesystem::path(strPath).is_absolute();
}

// "/home/u/" gives "/home/u"; "/" stays "/" (and on Windows "C:\\" stays).
inline std::string WithoutTrailingSlashes(std::string strDir) {
    const std::size_t nRootEnd = std::filesystem::path(strDir).root_path().string().size();
    while (strDir.size() > std::max<std::size_t>(nRootEnd, 1) &&
           (strDir.back() == '/' || strDir.back() == std::filesystem::path::preferred_separator))
        strDir.pop_back();
    return strDir;
}

// An environment variable, "" when unset.
inline std::string EnvOrEmpty(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}

#ifdef _WIN32
#include "files/FileOps.h"
#endif

// A path of the file system's spelling (UTF-8 on Windows) as std::filesystem
// takes it, and back.
inline std::filesystem::path FileSystemPath(const std::string& strPath) {
#ifdef _WIN32
    return std::filesystem::path(WidePath(strPath));
#else
    return std::filesystem::path(strPath);
#endif
}
inline std::string PathString(const std::filesystem::path& path) {
#ifdef _WIN32
    return Utf8Path(path.wstring());
#else
    return path.string();
#endif
}

// strPath made absolute against the working folder, with "." and ".."
// resolved by the text alone; a separator at the end stays.
inline std::string AbsoluteCleanPath(const std::string& strPath) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(FileSystemPath(strPath), error);
    if (error) return strPath;
    return PathString(absolute.lexically_normal());
}

// The folder with its links resolved when it exists, else AbsoluteCleanPath;
// an empty name is the root folder.
inline std::string CanonicalDirectory(const std::string& strDir) {
    const std::string strGiven = strDir.empty() ? std::string("/") : strDir;
    std::error_code error;
    const std::filesystem::path canonical =
        std::filesystem::canonical(FileSystemPath(strGiven), error);
    if (error) return WithoutTrailingSlashes(AbsoluteCleanPath(strGiven));
    return WithoutTrailingSlashes(PathString(canonical));
}
