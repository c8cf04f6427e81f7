// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <string>

#include "files/FilePaths.h"

#ifdef _WIN32
#include "files/FileOps.h"
#endif

// Small text operations on paths and the environment, shared by the data
// location and autostart rules.

// An environment variable, "" when unset. On Windows the variable is read
// as the system keeps it, in UTF-16, and given as UTF-8: the narrow
// environment is in the ANSI code page, where a user name such as "José"
// would not be UTF-8 and one outside the code page would be lost.
inline std::string EnvOrEmpty(const char* pszName) {
#ifdef _WIN32
    const wchar_t* pszValue = ::_wgetenv(WidePath(pszName).c_str());
    return pszValue ? Utf8Path(pszValue) : "";
#else
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
#endif
}
