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
