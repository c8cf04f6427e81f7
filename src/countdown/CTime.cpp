// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdown/CTime.h"

#include <ctime>
#include <string>

#ifndef _WIN32
#include <locale.h>
#include <time.h>
#endif

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

namespace {

// strftime in the "C" locale whatever the process's locale is (Qt sets the
// user's): the arrival's day and month names stay English, as the texts
// around them are. The Windows program never changes the C runtime's locale.
std::size_t FormatTime(char* pszOut, std::size_t nSize, const char* pszFormat,
                       const std::tm& fields) {
#ifdef _WIN32
    return std::strftime(pszOut, nSize, pszFormat, &fields);
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strftime_l(pszOut, nSize, pszFormat, &fields, cLocale);
#endif
}

// 0 from strftime means "empty" or "too small": the buffer grows a few times
// before the text is taken as empty.
std::string FormatInCLocale(const std::tm& fields, const char* pszFormat) {
    std::string strText(64, '\0');
    for (int nTry = 0; nTry < 5; ++nTry, strText.resize(strText.size() * 4)) {
        const std::size_t nLength = FormatTime(strText.data(), strText.size(), pszFormat, fields);
        if (nLength > 0) {
            strText.resize(nLength);
            return strText;
        }
    }
    return {};
}

}  // namespace

CTime CTime::GetCurrentTime(const IClock& clock) {
    return CTime(clock.Now());
}

std::string CTime::Format(const char* pszFormat) const {
    const auto time = static_cast<std::time_t>(m_time);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) return {};
    return FormatInCLocale(local, pszFormat);
}
