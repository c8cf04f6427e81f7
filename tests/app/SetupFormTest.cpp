// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include "FakeDialogView.h"
#include "app/DialogTemplates.h"
#include "app/SetupForm.h"

namespace {

TEST(SetupForm, OpensWithTheSettingsItIsGiven) {
    Settings settings;
    settings.nYear = 2031;
    settings.nTrivTime = 45;
    settings.bHideStart = true;
    SetupForm form(settings);
    FakeDialogView view;
    form.OnInitDialog(view);
    const std::map<int, std::string> expected{{IDC_SETUP_MONTH, "1"},   {IDC_SETUP_DAY, "1"},
                                              {IDC_SETUP_YEAR, "2031"}, {IDC_SETUP_HOUR, "0"},
                                              {IDC_SETUP_MINUTE, "1"},  {IDC_SETUP_TRIVTIME, "45"}};
    EXPECT_EQ(view.m_texts, expected);
    EXPECT_TRUE(view.IsChecked(IDC_SETUP_HIDESTART));
}

// One field changed from a valid form (the month is always set to 2 and
// "Hide on startup?" ticked): the settings OK takes, or the refused field and
// what the user is told, with the settings left whole.
struct BoundsRow {
    const char* pszName;
    int nId;
    const char* pszText;
    int nRefusedId;  // -1: accepted
    const char* pszMessage;
};

void PrintTo(const BoundsRow& row, std::ostream* os) {
    *os << row.pszName;
}

constexpr const char* kDay = "The day must be a whole number from 1 to 31.";
constexpr const char* kHour = "The hour must be a whole number from 0 to 24.";
constexpr const char* kMinute = "The minute must be a whole number from 0 to 60.";
constexpr const char* kMonth = "The month must be a whole number from 1 to 12.";
constexpr const char* kYear = "The year must be a whole number from 1996 to 2035.";
constexpr const char* kInterval = "The trivia interval must be a whole number from 1 to 18000.";

const BoundsRow kBoundsRows[] = {
    {"day_0", IDC_SETUP_DAY, "0", IDC_SETUP_DAY, kDay},
    {"day_1", IDC_SETUP_DAY, "1", -1, ""},
    {"day_31_of_February", IDC_SETUP_DAY, "31", -1, ""},
    {"day_32", IDC_SETUP_DAY, "32", IDC_SETUP_DAY, kDay},
    {"day_not_a_number", IDC_SETUP_DAY, "tomorrow", IDC_SETUP_DAY, kDay},
    {"day_blanks_around", IDC_SETUP_DAY, " 7 ", -1, ""},
    {"hour_negative", IDC_SETUP_HOUR, "-1", IDC_SETUP_HOUR, kHour},
    {"hour_0", IDC_SETUP_HOUR, "0", -1, ""},
    {"hour_24", IDC_SETUP_HOUR, "24", -1, ""},
    {"hour_25", IDC_SETUP_HOUR, "25", IDC_SETUP_HOUR, kHour},
    {"minute_60", IDC_SETUP_MINUTE, "60", -1, ""},
    {"minute_61", IDC_SETUP_MINUTE, "61", IDC_SETUP_MINUTE, kMinute},
    {"minute_empty", IDC_SETUP_MINUTE, "", IDC_SETUP_MINUTE, kMinute},
    {"minute_blanks", IDC_SETUP_MINUTE, "   ", IDC_SETUP_MINUTE, kMinute},
    {"month_0", IDC_SETUP_MONTH, "0", IDC_SETUP_MONTH, kMonth},
    {"month_12", IDC_SETUP_MONTH, "12", -1, ""},
    {"month_13", IDC_SETUP_MONTH, "13", IDC_SETUP_MONTH, kMonth},
    {"year_1995", IDC_SETUP_YEAR, "1995", IDC_SETUP_YEAR, kYear},
    {"year_1996", IDC_SETUP_YEAR, "1996", -1, ""},
    {"year_2035", IDC_SETUP_YEAR, "2035", -1, ""},
    {"year_2036", IDC_SETUP_YEAR, "2036", IDC_SETUP_YEAR, kYear},
    {"year_fraction", IDC_SETUP_YEAR, "2030.5", IDC_SETUP_YEAR, kYear},
    {"interval_0", IDC_SETUP_TRIVTIME, "0", IDC_SETUP_TRIVTIME, kInterval},
    {"interval_1", IDC_SETUP_TRIVTIME, "1", -1, ""},
    {"interval_18000", IDC_SETUP_TRIVTIME, "18000", -1, ""},
    {"interval_18001", IDC_SETUP_TRIVTIME, "18001", IDC_SETUP_TRIVTIME, kInterval},
    {"interval_huge", IDC_SETUP_TRIVTIME, "99999999999", IDC_SETUP_TRIVTIME, kInterval},
};

class SetupBounds : public testing::TestWithParam<BoundsRow> {};

TEST_P(SetupBounds, OkTakesTheFieldsOrRefusesTheFirstBadOne) {
    const BoundsRow& row = GetParam();
    const Settings before;
    SetupForm form(before);
    FakeDialogView view;
    FakeUserMessages messages;
    form.OnInitDialog(view);
    view.m_texts[IDC_SETUP_MONTH] = "2";
    view.m_checked[IDC_SETUP_HIDESTART] = true;
    view.m_texts[row.nId] = row.pszText;

    const bool bAccepted = form.OnOK(view, messages);

    EXPECT_EQ(bAccepted, row.nRefusedId < 0);
    if (bAccepted) {
        EXPECT_TRUE(messages.m_texts.empty());
        EXPECT_EQ(form.m_settings.nMonth, row.nId == IDC_SETUP_MONTH ? 12 : 2);
        EXPECT_TRUE(form.m_settings.bHideStart);
    } else {
        EXPECT_EQ(messages.m_texts, std::vector<std::string>{row.pszMessage});
        EXPECT_EQ(view.m_nFocus, row.nRefusedId);
        EXPECT_EQ(form.m_settings, before) << "a refused OK changes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SetupBounds, testing::ValuesIn(kBoundsRows),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST(SetupForm, TheFirstRefusedFieldInCheckingOrderIsReported) {
    std::map<int, std::string> fields{{IDC_SETUP_DAY, "1"},     {IDC_SETUP_HOUR, "99"},
                                      {IDC_SETUP_MINUTE, "0"},  {IDC_SETUP_MONTH, "1"},
                                      {IDC_SETUP_YEAR, "1900"}, {IDC_SETUP_TRIVTIME, "0"}};
    const SetupFieldsResult result = ReadSetupFields(
        Settings{}, [&](int nId) { return fields[nId]; }, false);
    EXPECT_FALSE(result.settings);
    EXPECT_EQ(result.nRefusedId, IDC_SETUP_HOUR);
    EXPECT_EQ(result.strMessage, kHour);
}

}  // namespace
