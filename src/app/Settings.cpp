#include "app/Settings.h"

#include "countdown/CountdownTexts.h"

CTime Settings::Arrival() const {
    return ArrivalMoment(nYear, nMonth, nDay, nHour, nMinute);
}
