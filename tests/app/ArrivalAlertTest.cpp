#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/ArrivalAlert.h"
#include "support/MemoryProfile.h"
#include "support/ScopedTimeZone.h"

namespace {

// Arrivals the scenarios use, in UTC.
constexpr ArrivalFields kTrip{2031, 6, 15, 12, 30};
constexpr ArrivalFields kNextTrip{2031, 7, 1, 8, 0};
constexpr ArrivalFields kDefault{};  // 2000-01-01 00:01, a fresh profile's

std::int64_t At(const ArrivalFields& f, std::int64_t nOffset = 0) {
    return CTime(f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, 0).GetTime() + nOffset;
}

// One check: the arrival the window holds, the clock, whether the program
// was restarted just before it, and whether the notification shows.
struct Step {
    ArrivalFields arrival;
    std::int64_t now;
    bool bRestartFirst;
    bool bFires;
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

class ArrivalAlertScenario : public testing::TestWithParam<Scenario> {};

TEST_P(ArrivalAlertScenario, FiresExactlyWhenDue) {
    ScopedTimeZone zone("UTC");
    MemoryProfile profile;
    auto alert = std::make_unique<ArrivalAlert>(profile);
    int nStep = 0;
    for (const Step& step : GetParam().steps) {
        if (step.bRestartFirst) alert = std::make_unique<ArrivalAlert>(profile);
        EXPECT_EQ(alert->CheckOnTick(step.arrival, CTime(step.now)), step.bFires)
            << "step " << nStep;
        ++nStep;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ArrivalAlertScenario,
                         testing::Values(Scenario{"ReachesZeroWhileRunning",
                                                  {{kTrip, At(kTrip, -2), false, false},
                                                   {kTrip, At(kTrip, -1), false, false},
                                                   {kTrip, At(kTrip), false, true},
                                                   {kTrip, At(kTrip, 1), false, false},
                                                   {kTrip, At(kTrip, 3600), false, false}}},
                                         Scenario{"FiresOnceAcrossRestarts",
                                                  {{kTrip, At(kTrip, -86400), false, false},
                                                   {kTrip, At(kTrip, 3 * 86400), true, true},
                                                   {kTrip, At(kTrip, 3 * 86400 + 1), false, false},
                                                   {kTrip, At(kTrip, 4 * 86400), true, false}}},
                                         Scenario{"WakeFromSleepAfterTheArrival",
                                                  {{kTrip, At(kTrip, -600), false, false},
                                                   {kTrip, At(kTrip, 7200), false, true},
                                                   {kTrip, At(kTrip, 7201), false, false}}},
                                         Scenario{"NeverBeforeTheArrival",
                                                  {{kTrip, At(kTrip, -86400), false, false},
                                                   {kTrip, At(kTrip, -1), true, false},
                                                   {kTrip, At(kTrip, -1), true, false}}},
                                         Scenario{"FreshProfileWithTheDefaultArrivalStaysQuiet",
                                                  {{kDefault, At(kTrip), false, false},
                                                   {kDefault, At(kTrip, 60), true, false}}},
                                         Scenario{"ReArmsAfterSetupStoresANewArrival",
                                                  {{kTrip, At(kTrip, -60), false, false},
                                                   {kTrip, At(kTrip), false, true},
                                                   {kNextTrip, At(kTrip, 60), false, false},
                                                   {kNextTrip, At(kNextTrip, -1), true, false},
                                                   {kNextTrip, At(kNextTrip), false, true}}},
                                         Scenario{"SetupEntersAMomentAlreadyPast",
                                                  {{kTrip, At(kTrip, -60), false, false},
                                                   {kDefault, At(kTrip, -59), false, false},
                                                   {kDefault, At(kTrip, 60), false, false}}},
                                         Scenario{"SetupChangesAndChangesBackBeforeTheArrival",
                                                  {{kTrip, At(kTrip, -600), false, false},
                                                   {kNextTrip, At(kTrip, -500), false, false},
                                                   {kTrip, At(kTrip, -400), false, false},
                                                   {kTrip, At(kTrip, 1), false, true}}},
                                         Scenario{"ClockSetBackBeforeAnAlertedArrivalAlertsAgain",
                                                  {{kTrip, At(kTrip, -1), false, false},
                                                   {kTrip, At(kTrip), false, true},
                                                   {kTrip, At(kTrip, -3600), false, false},
                                                   {kTrip, At(kTrip), false, true}}}),
                         [](const testing::TestParamInfo<Scenario>& info) {
                             return info.param.name;
                         });

TEST(ArrivalAlert, WritesTheProfileOnlyWhenTheArmedArrivalChanges) {
    ScopedTimeZone zone("UTC");
    MemoryProfile profile;
    ArrivalAlert alert(profile);
    for (int n = 0; n < 10; ++n) alert.CheckOnTick(kTrip, CTime(At(kTrip, n - 5)));
    const std::string strArmed =
        "SETTINGS/ALERTARMED=" + std::to_string(ArrivalAlert::ArrivalKey(kTrip));
    EXPECT_EQ(profile.Writes(), (std::vector<std::string>{strArmed, "SETTINGS/ALERTARMED=0"}));
}

TEST(ArrivalAlert, UnwritableProfileStillAlertsOnlyOnceInTheRun) {
    ScopedTimeZone zone("UTC");
    MemoryProfile profile;
    profile.FailWrites(true);
    ArrivalAlert alert(profile);
    EXPECT_FALSE(alert.CheckOnTick(kTrip, CTime(At(kTrip, -1))));
    EXPECT_TRUE(alert.CheckOnTick(kTrip, CTime(At(kTrip))));
    EXPECT_FALSE(alert.CheckOnTick(kTrip, CTime(At(kTrip, 1))));
}

TEST(ArrivalAlert, ChangeOfTimeZoneDoesNotRepeatTheAlert) {
    MemoryProfile profile;
    {
        ScopedTimeZone zone("UTC");
        ArrivalAlert alert(profile);
        alert.CheckOnTick(kTrip, CTime(At(kTrip, -60)));
        EXPECT_TRUE(alert.CheckOnTick(kTrip, CTime(At(kTrip))));
    }
    // Flown east: the same arrival fields are an earlier moment, long past.
    ScopedTimeZone zone("Asia/Tokyo");
    ArrivalAlert alert(profile);
    EXPECT_FALSE(alert.CheckOnTick(kTrip, CTime(At(kTrip) + 3600)));
}

TEST(ArrivalAlert, ArrivalPassedAfterAChangeOfTimeZoneStillAlerts) {
    MemoryProfile profile;
    {
        ScopedTimeZone zone("UTC");
        ArrivalAlert alert(profile);
        EXPECT_FALSE(alert.CheckOnTick(kTrip, CTime(At(kTrip, -86400))));
    }
    // Closed at home, opened at the destination after the local arrival time.
    ScopedTimeZone zone("Asia/Tokyo");
    ArrivalAlert alert(profile);
    EXPECT_TRUE(alert.CheckOnTick(kTrip, CTime(At(kTrip) + 60)));
}

struct KeyCase {
    ArrivalFields fields;
    int expected;
};

class ArrivalKeyRule : public testing::TestWithParam<KeyCase> {};

TEST_P(ArrivalKeyRule, MinutesOfTheFieldsAsUtc) {
    EXPECT_EQ(ArrivalAlert::ArrivalKey(GetParam().fields), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrivalKeyRule,
    testing::Values(KeyCase{{1970, 1, 1, 0, 0}, 0}, KeyCase{{1970, 1, 2, 0, 1}, 1441},
                    KeyCase{{2000, 1, 1, 0, 1}, 10957 * 1440 + 1},
                    KeyCase{{2000, 3, 1, 0, 0}, 11017 * 1440},       // past a leap day
                    KeyCase{{1999, 13, 1, 0, 1}, 10957 * 1440 + 1},  // month 13 carries
                    KeyCase{{2000, 0, 1, 0, 0}, 10926 * 1440},       // month 0 is December
                    KeyCase{{2000, 1, 1, 24, 0}, 10958 * 1440},      // hour 24 is midnight
                    KeyCase{{9999, 12, 31, 23, 59}, 2147483647},     // clamped
                    KeyCase{{1969, 12, 31, 23, 59}, -1}));

}  // namespace
