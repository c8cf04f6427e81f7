// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/Settings.h"

class IProfile;
struct ProfileReadFailure;

// One profile setting: where it lives and the member it fills (a number, or a
// flag stored as 0 or 1). Its default is that member of Settings{}.
struct ProfileSetting {
    const char* pszSection;
    const char* pszKey;
    int Settings::*pNumber;
    bool Settings::*pFlag;

    int Get(const Settings& settings) const;
    void Set(Settings& settings, int nValue) const;
};

// The seven settings in the order they are read at start-up and written by Setup.
extern const std::array<ProfileSetting, 7> kProfileSettings;

// Reads every setting; what is absent or not a number keeps Settings{}'s value.
Settings ReadProfileSettings(IProfile& profile);
// Writes all seven in one go (IProfile::WriteProfileInts): all or none; false
// when none was written.
bool WriteProfileSettings(IProfile& profile, const Settings& settings);

// What the user is told about a profile that is there but cannot be read:
// that it could not be read (the --print error), and at start-up that the
// defaults apply and the file stays as it is.
std::string UnreadableProfileText(const ProfileReadFailure& failure);
std::string UnreadableProfileWarning(const ProfileReadFailure& failure);
// What Setup's OK says when WriteProfileSettings failed: why, when the profile
// could not be read, else that the write failed.
std::string ProfileNotSavedMessage(IProfile& profile);

// A stored profile value as a 32-bit integer: optional sign, decimal digits,
// surrounding blanks allowed. Anything else (empty, letters, out of range) is
// not an integer and reads as absent.
std::optional<int> ParseProfileInt(std::string_view text);
