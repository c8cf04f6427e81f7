// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

#include "app/Profile.h"
#include "app/ProfileSettings.h"
#include "countdown/CTime.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"

const char* const kStatusPlaceholders =
    "{days} {hours} {minutes} {seconds} {total_hours} {total_minutes} {total_seconds}";

namespace {

struct Placeholder {
    std::string_view name;
    std::int64_t (CTimeSpan::*pValue)() const;
};

constexpr std::array<Placeholder, 7> kPlaceholders{{
    {"days", &CTimeSpan::GetDays},
    {"hours", &CTimeSpan::GetHours},
    {"minutes", &CTimeSpan::GetMinutes},
    {"seconds", &CTimeSpan::GetSeconds},
    {"total_hours", &CTimeSpan::GetTotalHours},
    {"total_minutes", &CTimeSpan::GetTotalMinutes},
    {"total_seconds", &CTimeSpan::GetTotalSeconds},
}};

// The widest padding a placeholder may ask for; more is surely a typo.
constexpr int kMaxWidth = 40;

// Built by appending: GCC 12 at -O3 misreads "literal" + std::string&& as an
// overlapping copy and warns.
std::string Enclosed(char open, std::string_view text, char close) {
    std::string enclosed;
    enclosed.reserve(text.size() + 2);
    enclosed += open;
    enclosed += text;
    enclosed += close;
    return enclosed;
}

std::string Quoted(std::string_view text) {
    return Enclosed('"', text, '"');
}

// One placeholder's text ("days" or "hours:02", without braces) filled in,
// or an error.
StatusText Fill(std::string_view field, const CTimeSpan& span) {
    const std::string_view name = field.substr(0, field.find(':'));
    const Placeholder* found = nullptr;
    for (const Placeholder& placeholder : kPlaceholders)
        if (placeholder.name == name) found = &placeholder;
    if (!found)
        return {{},
                "unknown placeholder " + Quoted(Enclosed('{', field, '}')) +
                    " in the format; use " + kStatusPlaceholders};

    int nWidth = 0;
    bool bZeros = false;
    if (name.size() < field.size()) {
        const std::string_view width = field.substr(name.size() + 1);
        bZeros = width.size() > 1 && width.front() == '0';
        const auto [end, error] =
            std::from_chars(width.data(), width.data() + width.size(), nWidth);
        if (width.empty() || error != std::errc{} || end != width.data() + width.size() ||
            nWidth < 1 || nWidth > kMaxWidth)
            return {{},
                    "bad width in " + Quoted(Enclosed('{', field, '}')) +
                        ": give a number from 1 to " + std::to_string(kMaxWidth)};
    }
    char text[64];
    std::snprintf(text, sizeof text, bZeros ? "%0*lld" : "%*lld", nWidth,
                  static_cast<long long>((span.*found->pValue)()));
    return {text, {}};
}

}  // namespace

StatusText FormatStatusTemplate(std::string_view strTemplate, const CTimeSpan& span) {
    StatusText result;
    for (std::size_t i = 0; i < strTemplate.size();) {
        const char c = strTemplate[i];
        const bool bDoubled = i + 1 < strTemplate.size() && strTemplate[i + 1] == c;
        if ((c == '{' || c == '}') && bDoubled) {
            result.strText += c;
            i += 2;
        } else if (c == '{') {
            const std::size_t close = strTemplate.find('}', i + 1);
            if (close == std::string_view::npos)
                return {{},
                        "unterminated placeholder " + Quoted(strTemplate.substr(i)) +
                            " in the format; write {{ for a brace"};
            const StatusText field = Fill(strTemplate.substr(i + 1, close - i - 1), span);
            if (!field.Ok()) return field;
            result.strText += field.strText;
            i = close + 1;
        } else {
            result.strText += c;
            ++i;
        }
    }
    return result;
}

int PrintCountdown(IProfile& profile, const IClock& clock,
                   const std::optional<std::string>& strTemplate, ITextSink& out, ITextSink& err) {
    if (const auto failure = profile.ReadFailure()) {
        err << "brisaloo: " << UnreadableProfileText(*failure) << '\n';
        return kExitFailure;
    }
    const Settings settings = ReadProfileSettings(profile);
    const CTimeSpan span = settings.Arrival() - CTime::GetCurrentTime(clock);
    if (!strTemplate) {
        out << FormatClipboard(span) << '\n';
        return kExitOk;
    }
    const StatusText text = FormatStatusTemplate(*strTemplate, span);
    if (!text.Ok()) {
        err << "brisaloo: " << text.strError << '\n';
        return kExitUsage;
    }
    out << text.strText << '\n';
    return kExitOk;
}

std::optional<bool> ParseOnOff(std::string_view value) {
    if (value == "on") return true;
    if (value == "off") return false;
    return std::nullopt;
}

std::string AutostartValueError(std::string_view value) {
    return "--autostart takes on or off, not " + Quoted(value);
}
