// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include "countdown/CountdownTexts.h"

CTime ArrivalFields::Arrival() const {
    return ArrivalMoment(nYear, nMonth, nDay, nHour, nMinute);
}
