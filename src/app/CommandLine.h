// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "countdown/CTimeSpan.h"

class IClock;
class IProfile;

// Exit codes of the command-line uses: 0 done, 1 failed (a file could not be
// written), 2 the command line itself is wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// A --format template filled in, or the one-line reason it cannot be.
struct StatusText {
    std::string strText;
    std::string strError;  // empty when the template was good
    bool Ok() const { return strError.empty(); }
};

// Fills a status-bar template from the countdown. Placeholders:
//   {days} {hours} {minutes} {seconds}            the parts, as in the main window
//   {total_hours} {total_minutes} {total_seconds} the running totals
// A width after a colon pads on the left: {hours:2} with blanks, {hours:02}
// with zeros. {{ and }} give a literal brace; a lone } is copied as it is. An
// unknown or unterminated placeholder, or a bad width, is an error naming it.
StatusText FormatStatusTemplate(std::string_view strTemplate, const CTimeSpan& span);

// The placeholders as the help text and error messages list them.
extern const char* const kStatusPlaceholders;

// --print and --format: the countdown to the arrival stored in the profile as
// one line on out ("%d Days %d Hrs %d Mins %d Secs", or the template filled
// in). A bad template writes one line to err and gives kExitUsage.
int PrintCountdown(IProfile& profile, const IClock& clock,
                   const std::optional<std::string>& strTemplate, std::ostream& out,
                   std::ostream& err);

// --autostart: "on" is true, "off" false, anything else is not a value.
std::optional<bool> ParseOnOff(std::string_view value);
// The one-line complaint about a value ParseOnOff refused.
std::string AutostartValueError(std::string_view value);
