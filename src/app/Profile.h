// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The per-user profile: (section, key) -> integer. The program keeps it in an
// INI file; tests keep it in memory.
class IProfile {
public:
    virtual ~IProfile() = default;
    // The stored integer, or nDefault when the key is absent or not an integer.
    virtual int GetProfileInt(const std::string& strSection, const std::string& strKey,
                              int nDefault) = 0;
    // False when the value could not be stored.
    virtual bool WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                 int nValue) = 0;
};
