// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/ProfileSettings.h"
#include "support/MemoryProfile.h"

namespace {

struct ParseCase {
    const char* text;
    std::optional<int> value;
};

class ParseProfileValue : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseProfileValue, IntegersOnly) {
    EXPECT_EQ(ParseProfileInt(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseProfileValue,
    testing::Values(ParseCase{"2027", 2027}, ParseCase{"-5", -5}, ParseCase{"+7", 7},
                    ParseCase{" 13 ", 13}, ParseCase{"0", 0}, ParseCase{"2147483647", 2147483647},
                    ParseCase{"-2147483648", -2147483647 - 1}, ParseCase{"", std::nullopt},
                    ParseCase{"   ", std::nullopt}, ParseCase{"abc", std::nullopt},
                    ParseCase{"12abc", std::nullopt}, ParseCase{"1.5", std::nullopt},
                    ParseCase{"99999999999", std::nullopt}, ParseCase{"2147483648", std::nullopt},
                    ParseCase{"+-5", std::nullopt}, ParseCase{"-", std::nullopt},
                    ParseCase{"0x10", std::nullopt},
                    ParseCase{"99999999999999999999999999", std::nullopt}));

TEST(ProfileSettings, EmptyProfileGivesTheDefaults) {
    MemoryProfile profile;
    const Settings settings = ReadProfileSettings(profile);
    EXPECT_EQ(settings.nYear, 2000);
    EXPECT_EQ(settings.nMonth, 1);
    EXPECT_EQ(settings.nDay, 1);
    EXPECT_EQ(settings.nHour, 0);
    EXPECT_EQ(settings.nMinute, 1);
    EXPECT_EQ(settings.nTrivTime, 30);
    EXPECT_FALSE(settings.bHideStart);
    EXPECT_TRUE(profile.Writes().empty()) << "start-up writes nothing back";
}

TEST(ProfileSettings, StoredValuesAreTakenAsTheyAreAndWrittenInTableOrder) {
    MemoryProfile profile;
    profile.Set("DESTINATION", "MONTH", 13);  // out of range, taken as stored
    profile.Set("SETTINGS", "TRIVTIME", -4);
    const Settings settings = ReadProfileSettings(profile);
    EXPECT_EQ(settings.nMonth, 13);
    EXPECT_EQ(settings.nTrivTime, -4);

    EXPECT_TRUE(WriteProfileSettings(profile, settings));
    const std::vector<std::string> expected{"DESTINATION/YEAR=2000", "DESTINATION/MONTH=13",
                                            "DESTINATION/DAY=1",     "DESTINATION/HOUR=0",
                                            "DESTINATION/MINUTE=1",  "SETTINGS/TRIVTIME=-4",
                                            "SETTINGS/HIDESTART=0"};
    EXPECT_EQ(profile.Writes(), expected);
    EXPECT_EQ(profile.Batches(), 1) << "all seven keys in one write of the file";
}

TEST(ProfileSettings, AFailedWriteChangesNoKey) {
    MemoryProfile profile;
    Settings settings;
    settings.nYear = 2031;
    settings.nMonth = 7;
    profile.FailWrites(true);
    EXPECT_FALSE(WriteProfileSettings(profile, settings));
    EXPECT_EQ(profile.Batches(), 1);
    EXPECT_EQ(profile.GetProfileInt("DESTINATION", "YEAR", -1), -1);
    EXPECT_EQ(profile.GetProfileInt("DESTINATION", "MONTH", -1), -1);
}

}  // namespace
