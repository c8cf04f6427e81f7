// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "countdown/CTime.h"
#include "countdown/CTimeSpan.h"

// The short forms of the countdown that leave the main window's fields.
std::string FormatCaption(const CTimeSpan& span);    // "Brisaloo (%d Days %d Hrs %d Min)"
std::string FormatTrayTip(const CTimeSpan& span);    // "Brisaloo: D:%d H:%d M:%d"
std::string FormatClipboard(const CTimeSpan& span);  // "%d Days %d Hrs %d Mins %d Secs"
std::string FormatArrival(const CTime& arrival);     // "%A %B %d, %Y %H:%M"

// The arrival moment from the five arrival fields, second 0, DST decided by the
// conversion: every user rebuilds it from the fields just before use.
CTime ArrivalMoment(int nYear, int nMonth, int nDay, int nHour, int nMinute);
