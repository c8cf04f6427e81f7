// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>

#include "countdown/CTime.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "support/ScopedTimeZone.h"

namespace {

struct CarryCase {
    int year, month, day, hour, minute;
    const char* text;
};

class CarriedFields : public testing::TestWithParam<CarryCase> {};

TEST_P(CarriedFields, CarryLikeMktime) {
    const ScopedTimeZone utc("UTC");
    const CarryCase& c = GetParam();
    EXPECT_EQ(FormatArrival(ArrivalMoment(c.year, c.month, c.day, c.hour, c.minute)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, CarriedFields,
    testing::Values(CarryCase{2000, 1, 1, 0, 1, "Saturday January 01, 2000 00:01"},
                    CarryCase{1997, 6, 14, 24, 0, "Sunday June 15, 1997 00:00"},
                    CarryCase{2026, 12, 7, 23, 60, "Tuesday December 08, 2026 00:00"},
                    CarryCase{2027, 4, 31, 12, 0, "Saturday May 01, 2027 12:00"},
                    CarryCase{2027, 2, 31, 0, 0, "Wednesday March 03, 2027 00:00"},
                    CarryCase{2028, 2, 31, 0, 0, "Thursday March 02, 2028 00:00"},
                    CarryCase{2035, 12, 31, 24, 60, "Tuesday January 01, 2036 01:00"}));

TEST(CTime, FromFieldsIsSecondsSinceEpochInUtc) {
    const ScopedTimeZone utc("UTC");
    EXPECT_EQ(ArrivalMoment(1970, 1, 1, 0, 0).GetTime(), 0);
    EXPECT_EQ(ArrivalMoment(2000, 1, 1, 0, 1).GetTime(), 946684860);
    EXPECT_EQ(CTime(2038, 1, 19, 3, 14, 8).GetTime(), 2147483648LL);  // past 32 bits
}

TEST(CTime, CurrentTimeComesFromTheClock) {
    const FixedClock clock(1234567890);
    EXPECT_EQ(CTime::GetCurrentTime(clock).GetTime(), 1234567890);
    EXPECT_EQ((CTime(1234567990) - CTime::GetCurrentTime(clock)).GetTotalSeconds(), 100);
}

// New York: 2027-03-14 02:30 does not exist, 2027-11-07 01:30 happens twice.
TEST(CTime, DaylightSavingGapAndOverlapFollowMktime) {
    const ScopedTimeZone newYork("America/New_York");
    for (const auto& [month, day, hour, minute] :
         {std::array{3, 14, 2, 30}, std::array{11, 7, 1, 30}, std::array{7, 4, 12, 0}}) {
        std::tm fields{};
        fields.tm_year = 2027 - 1900;
        fields.tm_mon = month - 1;
        fields.tm_mday = day;
        fields.tm_hour = hour;
        fields.tm_min = minute;
        fields.tm_isdst = -1;
        const auto expected = static_cast<std::int64_t>(std::mktime(&fields));
        EXPECT_EQ(ArrivalMoment(2027, month, day, hour, minute).GetTime(), expected)
            << month << "-" << day << " " << hour << ":" << minute;
    }
}

TEST(CTime, SpanAcrossADaylightSavingChangeCountsRealSeconds) {
    const ScopedTimeZone newYork("America/New_York");
    // Midnight to midnight across spring-forward is 23 real hours, across fall-back 25.
    EXPECT_EQ((ArrivalMoment(2027, 3, 15, 0, 0) - ArrivalMoment(2027, 3, 14, 0, 0)).GetTotalHours(),
              23);
    EXPECT_EQ((ArrivalMoment(2027, 11, 8, 0, 0) - ArrivalMoment(2027, 11, 7, 0, 0)).GetTotalHours(),
              25);
}

// The desktop's language must not leak into the arrival text.
TEST(CTime, ArrivalTextIsEnglishWhateverTheLocale) {
    const ScopedTimeZone utc("UTC");
    int tried = 0;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) == nullptr) continue;
        try {
            std::locale::global(std::locale(name));
        } catch (const std::runtime_error&) {
            std::setlocale(LC_ALL, "C");
            continue;
        }
        ++tried;
        EXPECT_EQ(FormatArrival(ArrivalMoment(1997, 6, 14, 24, 0)), "Sunday June 15, 1997 00:00")
            << name;
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
    if (tried == 0) GTEST_SKIP() << "neither de_DE.UTF-8 nor fr_FR.UTF-8 is generated here";
}

}  // namespace
