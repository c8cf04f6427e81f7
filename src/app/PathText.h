#pragma once

#include <cstdlib>
#include <string>

// Small text operations on paths and the environment, shared by the data
// location and autostart rules.

inline bool IsAbsolutePath(const std::string& strPath) {
    return !strPath.empty() && strPath.front() == '/';
}

// "/home/u/" gives "/home/u"; "/" stays "/".
inline std::string WithoutTrailingSlashes(std::string strDir) {
    while (strDir.size() > 1 && strDir.back() == '/') strDir.pop_back();
    return strDir;
}

// An environment variable, "" when unset.
inline std::string EnvOrEmpty(const char* pszName) {
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}
