#include "app/ProfileSettings.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "app/CCountdownApp.h"
#include "app/Profile.h"

const std::array<ProfileSetting, 7> kProfileSettings{{
    {"DESTINATION", "YEAR", 2000, &CCountdownApp::m_nYear},
    {"DESTINATION", "MONTH", 1, &CCountdownApp::m_nMonth},
    {"DESTINATION", "DAY", 1, &CCountdownApp::m_nDay},
    {"DESTINATION", "HOUR", 0, &CCountdownApp::m_nHour},
    {"DESTINATION", "MINUTE", 1, &CCountdownApp::m_nMinute},
    {"SETTINGS", "TRIVTIME", 30, &CCountdownApp::m_nTrivTime},
    {"SETTINGS", "HIDESTART", 0, &CCountdownApp::m_bHideStart},
}};

void ReadProfileSettings(IProfile& profile, CCountdownApp& app) {
    for (const auto& setting : kProfileSettings)
        app.*setting.pMember =
            profile.GetProfileInt(setting.pszSection, setting.pszKey, setting.nDefault);
}

bool WriteProfileSettings(IProfile& profile, const CCountdownApp& app) {
    bool bAllWritten = true;
    for (const auto& setting : kProfileSettings)
        bAllWritten &=
            profile.WriteProfileInt(setting.pszSection, setting.pszKey, app.*setting.pMember);
    return bAllWritten;
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
