// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One key of the profile to be written.
struct ProfileWrite {
    std::string strSection, strKey;
    int nValue;
};

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
    // Every key in one go: all of them are stored, or none. False when they
    // could not be stored.
    virtual bool WriteProfileInts(const std::vector<ProfileWrite>& writes) = 0;
};
