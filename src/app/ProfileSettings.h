#pragma once

#include <array>
#include <optional>
#include <string_view>

class CCountdownApp;
class IProfile;

// One profile setting: where it lives, its default, and the member it fills.
struct ProfileSetting {
    const char* pszSection;
    const char* pszKey;
    int nDefault;
    int CCountdownApp::*pMember;
};

// The seven settings in the order they are read at start-up and written by Setup.
extern const std::array<ProfileSetting, 7> kProfileSettings;

// Reads every setting into the application object, defaults for what is absent.
void ReadProfileSettings(IProfile& profile, CCountdownApp& app);
// Writes all seven in table order; false if any write failed (all are tried).
bool WriteProfileSettings(IProfile& profile, const CCountdownApp& app);

// A stored profile value as a 32-bit integer: optional sign, decimal digits,
// surrounding blanks allowed. Anything else (empty, letters, out of range) is
// not an integer and reads as absent.
std::optional<int> ParseProfileInt(std::string_view text);
