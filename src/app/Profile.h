// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// One value to store: [strSection] strKey=nValue.
struct ProfileWrite {
    std::string strSection, strKey;
    int nValue;
};

// A profile that is there but cannot be read: which file, and why.
struct ProfileReadFailure {
    std::string strFile;
    std::string strReason;
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
    // Stores every value at once, or none of them (false): a failure never
    // leaves some keys changed and others not.
    virtual bool WriteProfileInts(const std::vector<ProfileWrite>& writes) = 0;
    // Why the profile, though there, cannot be read now (its values then read
    // as absent, and a write does not replace it); nothing when it can be read
    // or does not exist yet.
    virtual std::optional<ProfileReadFailure> ReadFailure() { return std::nullopt; }
};
