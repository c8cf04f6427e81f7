// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdown/CTime.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

#include "countdown/Clock.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST) {
    std::tm fields{};
    fields.tm_year = nYear - 1900;
    fields.tm_mon = nMonth - 1;
    fields.tm_mday = nDay;
    fields.tm_hour = nHour;
    fields.tm_min = nMin;
    fields.tm_sec = nSec;
    fields.tm_isdst = nDST;
    m_time = static_cast<std::int64_t>(std::mktime(&fields));
}

CTime CTime::GetCurrentTime(const IClock& clock) { return CTime(clock.Now()); }

std::string CTime::Format(const char* pszFormat) const {
    const auto time = static_cast<std::time_t>(m_time);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) return {};
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&local, pszFormat);
    return text.str();
}
