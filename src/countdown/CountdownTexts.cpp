// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdown/CountdownTexts.h"

#include <cstdio>

namespace {
long long Ll(std::int64_t value) { return static_cast<long long>(value); }
}  // namespace

std::string FormatCaption(const CTimeSpan& span) {
    char text[96];
    std::snprintf(text, sizeof text, "Brisaloo (%lld Days %lld Hrs %lld Min)", Ll(span.GetDays()),
                  Ll(span.GetHours()), Ll(span.GetMinutes()));
    return text;
}

std::string FormatTrayTip(const CTimeSpan& span) {
    char text[96];
    std::snprintf(text, sizeof text, "Brisaloo: D:%lld H:%lld M:%lld", Ll(span.GetDays()),
                  Ll(span.GetHours()), Ll(span.GetMinutes()));
    return text;
}

std::string FormatClipboard(const CTimeSpan& span) {
    char text[128];
    std::snprintf(text, sizeof text, "%lld Days %lld Hrs %lld Mins %lld Secs", Ll(span.GetDays()),
                  Ll(span.GetHours()), Ll(span.GetMinutes()), Ll(span.GetSeconds()));
    return text;
}

std::string FormatArrival(const CTime& arrival) { return arrival.Format("%A %B %d, %Y %H:%M"); }

CTime ArrivalMoment(int nYear, int nMonth, int nDay, int nHour, int nMinute) {
    return CTime(nYear, nMonth, nDay, nHour, nMinute, 0, -1);
}
