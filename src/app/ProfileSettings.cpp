// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProfileSettings.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "app/Profile.h"

const std::array<ProfileSetting, 7> kProfileSettings{{
    {"DESTINATION", "YEAR", &Settings::nYear, nullptr},
    {"DESTINATION", "MONTH", &Settings::nMonth, nullptr},
    {"DESTINATION", "DAY", &Settings::nDay, nullptr},
    {"DESTINATION", "HOUR", &Settings::nHour, nullptr},
    {"DESTINATION", "MINUTE", &Settings::nMinute, nullptr},
    {"SETTINGS", "TRIVTIME", &Settings::nTrivTime, nullptr},
    {"SETTINGS", "HIDESTART", nullptr, &Settings::bHideStart},
}};

int ProfileSetting::Get(const Settings& settings) const {
    return pNumber ? settings.*pNumber : (settings.*pFlag ? 1 : 0);
}

void ProfileSetting::Set(Settings& settings, int nValue) const {
    if (pNumber)
        settings.*pNumber = nValue;
    else
        settings.*pFlag = nValue != 0;
}

Settings ReadProfileSettings(IProfile& profile) {
    Settings settings;
    for (const auto& setting : kProfileSettings)
        setting.Set(settings, profile.GetProfileInt(setting.pszSection, setting.pszKey,
                                                    setting.Get(settings)));
    return settings;
}

bool WriteProfileSettings(IProfile& profile, const Settings& settings) {
    std::vector<ProfileWrite> writes;
    for (const auto& setting : kProfileSettings)
        writes.push_back({setting.pszSection, setting.pszKey, setting.Get(settings)});
    return profile.WriteProfileInts(writes);
}

std::string UnreadableProfileText(const ProfileReadFailure& failure) {
    return "The settings file " + failure.strFile + " could not be read: " + failure.strReason;
}

std::string UnreadableProfileWarning(const ProfileReadFailure& failure) {
    return UnreadableProfileText(failure) +
           ". Brisaloo runs with the default settings and leaves that file as it is.";
}

std::string ProfileNotSavedMessage(IProfile& profile) {
    if (const auto failure = profile.ReadFailure()) {
        return "The settings were not saved: Brisaloo could not read the settings file " +
               failure->strFile + " (" + failure->strReason +
               ") and does not replace a file it cannot read. They apply until Brisaloo ends.";
    }
    return "The settings could not be saved to the profile. They apply until Brisaloo ends.";
}

std::optional<int> ParseProfileInt(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc{} || end != last) return std::nullopt;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}
