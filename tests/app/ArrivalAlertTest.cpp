// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/ArrivalAlert.h"
#include "support/MemoryProfile.h"
#include "support/ScopedTimeZone.h"
#include "support/TempDir.h"

namespace {

// Arrivals the scenarios use, in UTC.
constexpr ArrivalFields kTrip{2031, 6, 15, 12, 30};
constexpr ArrivalFields kNextTrip{2031, 7, 1, 8, 0};
constexpr ArrivalFields kDefault{};  // 2000-01-01 00:01, a fresh profile's

std::int64_t At(const ArrivalFields& f, std::int64_t nOffset = 0) {
    return CTime(f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, 0).GetTime() + nOffset;
}

// One user's alert across runs: a state folder and the profile beside it.
struct AlertHome {
    std::unique_ptr<ArrivalAlert> Start() {
        return std::make_unique<ArrivalAlert>(strStatePath, profile, err);
    }
    TempDir dir;
    std::string strStatePath = (dir / "state-home/brisaloo/state").string();
    MemoryProfile profile;
    StringSink err;
};

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
    AlertHome home;
    auto alert = home.Start();
    int nStep = 0;
    for (const Step& step : GetParam().steps) {
        if (step.bRestartFirst) alert = home.Start();
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

TEST(ArrivalAlert, WritesItsStateOnlyWhenTheArmedArrivalChangesAndNeverTheProfile) {
    ScopedTimeZone zone("UTC");
    AlertHome home;
    auto alert = home.Start();
    alert->CheckOnTick(kTrip, CTime(At(kTrip, -5)));
    EXPECT_EQ(ArrivalAlert::ReadState(home.strStatePath), ArrivalAlert::ArrivalKey(kTrip));
    // A tick that rewrote the file would bring it back.
    std::filesystem::remove(home.strStatePath);
    for (int n = -4; n < 0; ++n) alert->CheckOnTick(kTrip, CTime(At(kTrip, n)));
    EXPECT_FALSE(std::filesystem::exists(home.strStatePath));
    EXPECT_TRUE(alert->CheckOnTick(kTrip, CTime(At(kTrip))));
    EXPECT_EQ(ArrivalAlert::ReadState(home.strStatePath), ArrivalAlert::kNothingArmed);
    EXPECT_TRUE(home.profile.Writes().empty());
    EXPECT_TRUE(home.err.str().empty());
}

TEST(ArrivalAlert, ArmedArrivalOfAnEarlierReleaseProfileFiresOnceAndStaysInTheProfile) {
    ScopedTimeZone zone("UTC");
    AlertHome home;
    home.profile.Set(ArrivalAlert::kSection, ArrivalAlert::kKey, ArrivalAlert::ArrivalKey(kTrip));
    EXPECT_TRUE(home.Start()->CheckOnTick(kTrip, CTime(At(kTrip, 60))));
    // The profile still says armed; the state file is what counts now.
    EXPECT_FALSE(home.Start()->CheckOnTick(kTrip, CTime(At(kTrip, 120))));
    EXPECT_TRUE(home.profile.Writes().empty());
}

TEST(ArrivalAlert, UnwritableStateFolderStillAlertsOnceAndSaysSoOnce) {
    ScopedTimeZone zone("UTC");
    AlertHome home;
    WriteFileBytes(home.dir / "state-home", "a file where the folder should be");
    auto alert = home.Start();
    EXPECT_FALSE(alert->CheckOnTick(kTrip, CTime(At(kTrip, -1))));
    EXPECT_TRUE(alert->CheckOnTick(kTrip, CTime(At(kTrip))));
    EXPECT_FALSE(alert->CheckOnTick(kTrip, CTime(At(kTrip, 1))));
    const std::string strErr = home.err.str();
    EXPECT_EQ(std::count(strErr.begin(), strErr.end(), '\n'), 1) << strErr;
    EXPECT_NE(strErr.find(home.strStatePath), std::string::npos) << strErr;
}

TEST(ArrivalAlert, ChangeOfTimeZoneDoesNotRepeatTheAlert) {
    AlertHome home;
    {
        ScopedTimeZone zone("UTC");
        auto alert = home.Start();
        alert->CheckOnTick(kTrip, CTime(At(kTrip, -60)));
        EXPECT_TRUE(alert->CheckOnTick(kTrip, CTime(At(kTrip))));
    }
    // Flown east: the same arrival fields are an earlier moment, long past.
    ScopedTimeZone zone("Asia/Tokyo");
    EXPECT_FALSE(home.Start()->CheckOnTick(kTrip, CTime(At(kTrip) + 3600)));
}

TEST(ArrivalAlert, ArrivalPassedAfterAChangeOfTimeZoneStillAlerts) {
    AlertHome home;
    {
        ScopedTimeZone zone("UTC");
        EXPECT_FALSE(home.Start()->CheckOnTick(kTrip, CTime(At(kTrip, -86400))));
    }
    // Closed at home, opened at the destination after the local arrival time.
    ScopedTimeZone zone("Asia/Tokyo");
    EXPECT_TRUE(home.Start()->CheckOnTick(kTrip, CTime(At(kTrip) + 60)));
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
