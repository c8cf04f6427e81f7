// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
// The C runtime's own environment, which getenv and _tzset read.
inline int setenv(const char* pszName, const char* pszValue, int) {
    return ::_putenv_s(pszName, pszValue);
}
inline int unsetenv(const char* pszName) {
    return ::_putenv_s(pszName, "");
}
#endif

// Sets (or, with nullptr, unsets) an environment variable for the length of a
// test and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName) {
        if (const char* pszOld = std::getenv(pszName)) m_old = pszOld;
        if (pszValue)
            ::setenv(pszName, pszValue, 1);
        else
            ::unsetenv(pszName);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_strName.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_strName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_strName;
    std::optional<std::string> m_old;
};
