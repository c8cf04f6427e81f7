// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "countdown/CTimeSpan.h"

class IClock;

// A calendar moment in whole seconds since 1970-01-01 00:00:00 UTC. Built from
// local calendar fields the way mktime does it, so out-of-range fields carry
// into the next unit (hour 24 is midnight of the next day).
class CTime {
public:
    constexpr CTime() = default;
    constexpr explicit CTime(std::int64_t time) : m_time(time) {}
    // Local year, month 1-12, day, hour, minute, second; nDST -1 lets the
    // conversion decide whether daylight-saving time applies.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    // hot: read on every tick (CountdownScreen::OnTimer)
    [[gnu::hot]] static CTime GetCurrentTime(const IClock& clock);

    constexpr std::int64_t GetTime() const { return m_time; }

    // strftime conversions of the local time, always with the classic "C"
    // locale's names: the program's texts are English whatever the desktop's
    // language is.
    std::string Format(const char* pszFormat) const;

    constexpr bool operator==(const CTime&) const = default;
    friend constexpr CTimeSpan operator-(CTime a, CTime b) {
        return CTimeSpan(a.m_time - b.m_time);
    }

private:
    std::int64_t m_time = 0;
};
