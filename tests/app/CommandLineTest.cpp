// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "app/CommandLine.h"
#include "countdown/CTime.h"
#include "countdown/Clock.h"
#include "support/MemoryProfile.h"
#include "support/ScopedTimeZone.h"

namespace {

// 3 days 4 hours 5 minutes 6 seconds.
constexpr std::int64_t kSpan = 3 * 86400 + 4 * 3600 + 5 * 60 + 6;

struct TemplateCase {
    const char* name;
    const char* tmpl;
    std::int64_t seconds;
    const char* expected;  // the text, or a piece of the error when bError
    bool bError;
};

class StatusTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(StatusTemplate, FillsOrNamesTheProblem) {
    const TemplateCase& c = GetParam();
    const StatusText text = FormatStatusTemplate(c.tmpl, CTimeSpan(c.seconds));
    if (c.bError) {
        EXPECT_FALSE(text.Ok());
        EXPECT_NE(text.strError.find(c.expected), std::string::npos) << text.strError;
        EXPECT_EQ(text.strError.find('\n'), std::string::npos) << "one line";
    } else {
        EXPECT_TRUE(text.Ok()) << text.strError;
        EXPECT_EQ(text.strText, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Templates, StatusTemplate,
    testing::Values(
        TemplateCase{"Parts", "{days}d {hours}h {minutes}m {seconds}s", kSpan, "3d 4h 5m 6s",
                     false},
        TemplateCase{"Totals", "{total_hours} {total_minutes} {total_seconds}", kSpan,
                     "76 4565 273906", false},
        TemplateCase{"ZeroPadded", "{days}d {hours:02}:{minutes:02}:{seconds:02}", kSpan,
                     "3d 04:05:06", false},
        TemplateCase{"BlankPadded", "[{days:4}]", kSpan, "[   3]", false},
        TemplateCase{"WidthSmallerThanNumber", "{total_seconds:02}", kSpan, "273906", false},
        TemplateCase{"AfterTheArrivalEveryPartIsNegative", "{days} {hours:02} {seconds}",
                     -(86400 + 3600 + 1), "-1 -1 -1", false},
        TemplateCase{"Zero", "{days} {hours} {minutes} {seconds}", 0, "0 0 0 0", false},
        TemplateCase{"Braces", "{{{days}}} }", kSpan, "{3} }", false},
        TemplateCase{"NoPlaceholder", "arrived?", kSpan, "arrived?", false},
        TemplateCase{"Empty", "", kSpan, "", false},
        TemplateCase{"PercentIsPlainText", "%d {days}%", kSpan, "%d 3%", false},
        TemplateCase{"Unknown", "{weeks} left", kSpan, "unknown placeholder \"{weeks}\"", true},
        TemplateCase{"CaseMatters", "{Days}", kSpan, "\"{Days}\"", true},
        TemplateCase{"EmptyPlaceholder", "{}", kSpan, "\"{}\"", true},
        TemplateCase{"Unterminated", "{days} {hours", kSpan, "unterminated placeholder \"{hours\"",
                     true},
        TemplateCase{"BadWidth", "{hours:x}", kSpan, "bad width in \"{hours:x}\"", true},
        TemplateCase{"EmptyWidth", "{hours:}", kSpan, "bad width", true},
        TemplateCase{"HugeWidth", "{hours:0999999999999}", kSpan, "bad width", true},
        TemplateCase{"NegativeWidth", "{hours:-2}", kSpan, "bad width", true}),
    [](const testing::TestParamInfo<TemplateCase>& info) { return info.param.name; });

TEST(StatusTemplate, ErrorListsThePlaceholders) {
    const StatusText text = FormatStatusTemplate("{day}", CTimeSpan(0));
    EXPECT_NE(text.strError.find(kStatusPlaceholders), std::string::npos) << text.strError;
}

class PrintCountdownTest : public testing::Test {
protected:
    PrintCountdownTest() {
        m_profile.Set("DESTINATION", "YEAR", 2031);
        m_profile.Set("DESTINATION", "MONTH", 6);
        m_profile.Set("DESTINATION", "DAY", 15);
        m_profile.Set("DESTINATION", "HOUR", 12);
        m_profile.Set("DESTINATION", "MINUTE", 30);
        m_clock.Set(CTime(2031, 6, 15, 12, 30, 0).GetTime() - kSpan);
    }

    int Print(const std::optional<std::string>& strTemplate) {
        return PrintCountdown(m_profile, m_clock, strTemplate, m_out, m_err);
    }

    ScopedTimeZone m_zone{"UTC"};
    MemoryProfile m_profile;
    FixedClock m_clock;
    StringSink m_out;
    StringSink m_err;
};

TEST_F(PrintCountdownTest, PrintsTheClipboardLine) {
    EXPECT_EQ(Print(std::nullopt), kExitOk);
    EXPECT_EQ(m_out.str(), "3 Days 4 Hrs 5 Mins 6 Secs\n");
    EXPECT_EQ(m_err.str(), "");
    EXPECT_TRUE(m_profile.Writes().empty()) << "printing writes nothing";
}

TEST_F(PrintCountdownTest, PrintsATemplate) {
    EXPECT_EQ(Print("{days}d {hours:02}:{minutes:02}"), kExitOk);
    EXPECT_EQ(m_out.str(), "3d 04:05\n");
}

TEST_F(PrintCountdownTest, ArrivalIsInLocalTime) {
    ScopedTimeZone zone("America/New_York");  // UTC-4 in June
    m_clock.Set(CTime(2031, 6, 15, 12, 30, 0).GetTime() - 60);
    EXPECT_EQ(Print("{total_seconds}"), kExitOk);
    EXPECT_EQ(m_out.str(), "60\n");
}

TEST_F(PrintCountdownTest, EmptyProfileCountsToTheDefaultArrival) {
    MemoryProfile empty;
    m_clock.Set(CTime(2000, 1, 1, 0, 1, 0).GetTime() + 86400 + 3600 + 60 + 1);
    EXPECT_EQ(PrintCountdown(empty, m_clock, std::nullopt, m_out, m_err), kExitOk);
    EXPECT_EQ(m_out.str(), "-1 Days -1 Hrs -1 Mins -1 Secs\n");
}

TEST_F(PrintCountdownTest, BadTemplateIsAUsageErrorOnOneLine) {
    EXPECT_EQ(Print("{weeks}"), kExitUsage);
    EXPECT_EQ(m_out.str(), "");
    const std::string strErr = m_err.str();
    EXPECT_EQ(strErr.rfind("brisaloo: unknown placeholder \"{weeks}\"", 0), 0u) << strErr;
    EXPECT_EQ(std::count(strErr.begin(), strErr.end(), '\n'), 1);
}

struct OnOffCase {
    const char* value;
    std::optional<bool> expected;
};

class AutostartValue : public testing::TestWithParam<OnOffCase> {};

TEST_P(AutostartValue, OnlyOnAndOff) {
    EXPECT_EQ(ParseOnOff(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, AutostartValue,
                         testing::Values(OnOffCase{"on", true}, OnOffCase{"off", false},
                                         OnOffCase{"On", std::nullopt},
                                         OnOffCase{"yes", std::nullopt},
                                         OnOffCase{"", std::nullopt},
                                         OnOffCase{"on ", std::nullopt}));

TEST(AutostartValue, ErrorNamesTheValue) {
    EXPECT_EQ(AutostartValueError("maybe"), "--autostart takes on or off, not \"maybe\"");
}

}  // namespace
