#pragma once

#include "countdown/CTime.h"

// The user's settings as the profile keeps them. One value of this type, the
// one CCountdownApp owns, is what the program runs by: Setup edits a copy and
// hands it back on OK, and the window reads the owner's. The arrival fields
// are taken as stored (CTime normalises a month 13 or a day 0).
struct Settings {
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
    int nHour = 0;
    int nMinute = 0;
    int nTrivTime = 0;  // seconds between two trivia picks
    bool bHideStart = false;

    // The arrival moment in local time.
    CTime Arrival() const;

    bool operator==(const Settings&) const = default;
};
