// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "countdown/CountdownTexts.h"
#include "countdown/CountdownRefresh.h"

namespace {

using F = CountdownField;

std::vector<FieldWrite> Writes(const RefreshPlan& plan) { return {plan.begin(), plan.end()}; }

TEST(CountdownRefresh, FullRefreshWritesEverythingInOrder) {
    CountdownRefresh refresh;
    refresh.Plan(RefreshMode::ChangedOnly, CTimeSpan(90061));
    const RefreshPlan plan = refresh.Plan(RefreshMode::All, CTimeSpan(90061));
    EXPECT_EQ(Writes(plan), (std::vector<FieldWrite>{{F::Seconds, 1},
                                                     {F::TotalSeconds, 90061},
                                                     {F::Minutes, 1},
                                                     {F::TotalMinutes, 1501},
                                                     {F::Hours, 1},
                                                     {F::TotalHours, 25},
                                                     {F::Days, 1}}));
    EXPECT_TRUE(plan.bCaption);
}

TEST(CountdownRefresh, InitialCountdownWritesDaysFirst) {
    CountdownRefresh refresh;
    const RefreshPlan plan = refresh.PlanInitial(CTimeSpan(-90061));
    EXPECT_EQ(Writes(plan), (std::vector<FieldWrite>{{F::Days, -1},
                                                     {F::Hours, -1},
                                                     {F::Minutes, -1},
                                                     {F::Seconds, -1},
                                                     {F::TotalHours, -25},
                                                     {F::TotalMinutes, -1501},
                                                     {F::TotalSeconds, -90061}}));
    EXPECT_TRUE(plan.bCaption);
    EXPECT_EQ(refresh.Plan(RefreshMode::ChangedOnly, CTimeSpan(-90061)).count, 0u);
}

struct TickCase {
    std::int64_t before, after;
    std::vector<FieldWrite> writes;
    bool caption;
};

class RolloverTicks : public testing::TestWithParam<TickCase> {};

TEST_P(RolloverTicks, WriteExactlyWhatChanged) {
    const TickCase& c = GetParam();
    CountdownRefresh refresh;
    refresh.PlanInitial(CTimeSpan(c.before));
    const RefreshPlan plan = refresh.Plan(RefreshMode::ChangedOnly, CTimeSpan(c.after));
    EXPECT_EQ(Writes(plan), c.writes);
    EXPECT_EQ(plan.bCaption, c.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, RolloverTicks,
    testing::Values(
        TickCase{86401, 86401, {}, false},  // the second tick of a second repeats nothing
        TickCase{86401, 86400, {{F::Seconds, 0}, {F::TotalSeconds, 86400}}, false},
        TickCase{86400,
                 86399,
                 {{F::Seconds, 59},
                  {F::TotalSeconds, 86399},
                  {F::Minutes, 59},
                  {F::TotalMinutes, 1439},
                  {F::Hours, 23},
                  {F::TotalHours, 23},
                  {F::Days, 0}},
                 true},
        TickCase{3600,
                 3599,
                 {{F::Seconds, 59},
                  {F::TotalSeconds, 3599},
                  {F::Minutes, 59},
                  {F::TotalMinutes, 59},
                  {F::Hours, 0},
                  {F::TotalHours, 0}},
                 true},
        // Across the arrival the minutes keep reading 0; after it they go negative.
        TickCase{1, 0, {{F::Seconds, 0}, {F::TotalSeconds, 0}}, false},
        TickCase{0, -1, {{F::Seconds, -1}, {F::TotalSeconds, -1}}, false},
        TickCase{-59,
                 -60,
                 {{F::Seconds, 0}, {F::TotalSeconds, -60}, {F::Minutes, -1}, {F::TotalMinutes, -1}},
                 true}));

// Replays a run of 500 ms ticks and keeps what the window would show.
class Screen {
public:
    void Apply(const RefreshPlan& plan, const CTimeSpan& span) {
        for (const FieldWrite& write : plan) {
            m_fields[write.field] = write.nValue;
            ++m_writes[write.field];
        }
        if (plan.bCaption) {
            m_caption = FormatCaption(span);
            ++m_captionWrites;
        }
    }
    void ExpectShows(const CTimeSpan& span) const {
        ASSERT_EQ(m_fields.at(F::Seconds), span.GetSeconds());
        ASSERT_EQ(m_fields.at(F::TotalSeconds), span.GetTotalSeconds());
        ASSERT_EQ(m_fields.at(F::Minutes), span.GetMinutes());
        ASSERT_EQ(m_fields.at(F::TotalMinutes), span.GetTotalMinutes());
        ASSERT_EQ(m_fields.at(F::Hours), span.GetHours());
        ASSERT_EQ(m_fields.at(F::TotalHours), span.GetTotalHours());
        ASSERT_EQ(m_fields.at(F::Days), span.GetDays());
        ASSERT_EQ(m_caption, FormatCaption(span));
    }
    std::map<F, int> TakeWrites() { return std::exchange(m_writes, {}); }
    int TakeCaptionWrites() { return std::exchange(m_captionWrites, 0); }

private:
    std::map<F, std::int64_t> m_fields;
    std::map<F, int> m_writes;
    std::string m_caption;
    int m_captionWrites = 0;
};

struct RunCase {
    const char* name;
    std::int64_t jumpAt;   // seconds before the arrival at which the clock jumps
    std::int64_t jumpBy;   // how far it jumps forward
};

class SimulatedRun : public testing::TestWithParam<RunCase> {};

// From two days before the arrival to two days after, a tick every 500 ms:
// after every tick the window shows the true span, and each field is written
// no more often than its value changes.
TEST_P(SimulatedRun, WindowAlwaysShowsTheTrueSpan) {
    const RunCase& run = GetParam();
    const std::int64_t arrival = 1'000'000'000;
    const std::int64_t start = arrival - 2 * 86400;
    const std::int64_t stop = arrival + 2 * 86400;

    CountdownRefresh refresh;
    Screen screen;
    screen.Apply(refresh.PlanInitial(CTimeSpan(arrival - start)), CTimeSpan(arrival - start));
    screen.TakeWrites();
    screen.TakeCaptionWrites();

    std::int64_t halfSeconds = 2 * start;
    std::int64_t hourStart = start;
    bool jumped = false;
    while (halfSeconds / 2 < stop) {
        halfSeconds += 1;
        if (!jumped && arrival - halfSeconds / 2 <= run.jumpAt) {
            halfSeconds += 2 * run.jumpBy;
            jumped = true;
        }
        const std::int64_t now = halfSeconds / 2;
        const CTimeSpan span(arrival - now);
        screen.Apply(refresh.Plan(RefreshMode::ChangedOnly, span), span);
        ASSERT_NO_FATAL_FAILURE(screen.ExpectShows(span)) << "at " << now - arrival;

        if (now - hourStart >= 3600) {
            const auto writes = screen.TakeWrites();
            const int captions = screen.TakeCaptionWrites();
            auto count = [&](F id) { return writes.count(id) ? writes.at(id) : 0; };
            // An hour holds 3600 (+1 at the edge) second changes, 60 minute
            // changes, at most one hour and one day change; a jump adds one of each.
            EXPECT_LE(count(F::Seconds), 3601);
            EXPECT_LE(count(F::Minutes), 62);
            EXPECT_LE(count(F::TotalMinutes), 62);
            EXPECT_LE(count(F::Hours), 3);
            EXPECT_LE(count(F::Days), 2);
            EXPECT_LE(captions, 62);
            hourStart = now;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, SimulatedRun,
                         testing::Values(RunCase{"steady", 0, 0},
                                         RunCase{"three_hour_jump_before", 5 * 3600, 3 * 3600},
                                         RunCase{"jump_across_arrival", 1800, 3 * 3600 + 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CountdownRefresh, ArrivalTextWrittenOnlyWhenItChanges) {
    CountdownRefresh refresh;
    const std::string& first = refresh.ArrivalText(CTime(0));
    EXPECT_TRUE(refresh.ArrivalTextDue(first, false));
    EXPECT_FALSE(refresh.ArrivalTextDue(refresh.ArrivalText(CTime(0)), false));
    EXPECT_TRUE(refresh.ArrivalTextDue(refresh.ArrivalText(CTime(0)), true));
    EXPECT_TRUE(refresh.ArrivalTextDue(refresh.ArrivalText(CTime(3600)), false));
}

}  // namespace
