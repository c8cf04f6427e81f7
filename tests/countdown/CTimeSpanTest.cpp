// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "countdown/CTimeSpan.h"
#include "countdown/CountdownTexts.h"

namespace {

struct SpanCase {
    std::int64_t seconds;
    std::int64_t days, hours, minutes, secs, totalHours, totalMinutes;
    const char* caption;
    const char* tip;
    const char* clipboard;
};

class SpanParts : public testing::TestWithParam<SpanCase> {};

TEST_P(SpanParts, PartsTotalsAndTexts) {
    const SpanCase& c = GetParam();
    const CTimeSpan span(c.seconds);
    EXPECT_EQ(span.GetDays(), c.days);
    EXPECT_EQ(span.GetHours(), c.hours);
    EXPECT_EQ(span.GetMinutes(), c.minutes);
    EXPECT_EQ(span.GetSeconds(), c.secs);
    EXPECT_EQ(span.GetTotalHours(), c.totalHours);
    EXPECT_EQ(span.GetTotalMinutes(), c.totalMinutes);
    EXPECT_EQ(span.GetTotalSeconds(), c.seconds);
    EXPECT_EQ(FormatCaption(span), c.caption);
    EXPECT_EQ(FormatTrayTip(span), c.tip);
    EXPECT_EQ(FormatClipboard(span), c.clipboard);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SpanParts,
    testing::Values(
        SpanCase{90061, 1, 1, 1, 1, 25, 1501, "Brisaloo (1 Days 1 Hrs 1 Min)",
                 "Brisaloo: D:1 H:1 M:1", "1 Days 1 Hrs 1 Mins 1 Secs"},
        SpanCase{-90061, -1, -1, -1, -1, -25, -1501, "Brisaloo (-1 Days -1 Hrs -1 Min)",
                 "Brisaloo: D:-1 H:-1 M:-1", "-1 Days -1 Hrs -1 Mins -1 Secs"},
        SpanCase{86399, 0, 23, 59, 59, 23, 1439, "Brisaloo (0 Days 23 Hrs 59 Min)",
                 "Brisaloo: D:0 H:23 M:59", "0 Days 23 Hrs 59 Mins 59 Secs"},
        SpanCase{86400, 1, 0, 0, 0, 24, 1440, "Brisaloo (1 Days 0 Hrs 0 Min)",
                 "Brisaloo: D:1 H:0 M:0", "1 Days 0 Hrs 0 Mins 0 Secs"},
        SpanCase{0, 0, 0, 0, 0, 0, 0, "Brisaloo (0 Days 0 Hrs 0 Min)", "Brisaloo: D:0 H:0 M:0",
                 "0 Days 0 Hrs 0 Mins 0 Secs"},
        SpanCase{-61, 0, 0, -1, -1, 0, -1, "Brisaloo (0 Days 0 Hrs -1 Min)",
                 "Brisaloo: D:0 H:0 M:-1", "0 Days 0 Hrs -1 Mins -1 Secs"},
        // 2035-12-31 24:60 seen from 1970: the far edge of what Setup admits.
        SpanCase{2082762000, 24106, 1, 0, 0, 578545, 34712700,
                 "Brisaloo (24106 Days 1 Hrs 0 Min)", "Brisaloo: D:24106 H:1 M:0",
                 "24106 Days 1 Hrs 0 Mins 0 Secs"},
        // The most negative 32-bit span and beyond: no overflow in 64 bits.
        SpanCase{-2147483648LL, -24855, -3, -14, -8, -596523, -35791394,
                 "Brisaloo (-24855 Days -3 Hrs -14 Min)", "Brisaloo: D:-24855 H:-3 M:-14",
                 "-24855 Days -3 Hrs -14 Mins -8 Secs"}),
    [](const auto& info) {
        const auto seconds = info.param.seconds;
        return (seconds < 0 ? "minus_" : "") + std::to_string(seconds < 0 ? -seconds : seconds);
    });

TEST(SpanTexts, LongestTipFitsTheTrayField) {
    const CTimeSpan span(-9'999'999'999LL * 86400);
    EXPECT_LT(FormatTrayTip(CTimeSpan(-2147483648LL)).size(), 64u);
    EXPECT_FALSE(FormatTrayTip(span).empty());
}

}  // namespace
