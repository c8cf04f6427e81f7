// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "countdown/CTime.h"

// The five arrival fields, as the profile and Setup hold them; the defaults
// are a fresh profile's. They are taken as stored: CTime normalises a month
// 13 or a day 0.
struct ArrivalFields {
    int nYear = 2000;
    int nMonth = 1;
    int nDay = 1;
    int nHour = 0;
    int nMinute = 1;

    // The arrival moment in local time.
    CTime Arrival() const;

    bool operator==(const ArrivalFields&) const = default;
};

// The user's settings as the profile keeps them (ProfileSettings.h), with a
// fresh profile's defaults. One value of this type, the one CCountdownApp
// owns, is what the program runs by: Setup edits a copy and hands it back on
// OK, and the window reads the owner's.
struct Settings : ArrivalFields {
    int nTrivTime = 30;  // seconds between two trivia picks
    bool bHideStart = false;

    bool operator==(const Settings&) const = default;
};
