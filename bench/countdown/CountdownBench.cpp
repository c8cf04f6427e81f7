// SPDX-License-Identifier: GPL-3.0-or-later
// The countdown's share of the 500 ms tick: the arrival moment rebuilt from
// its five fields, the span, the refresh plan, the arrival text and, on the
// ticks where days, hours or minutes change, the caption and the tray tip.
// Beside it the floor: reading the clock and turning one number into text,
// what any clock display does each tick.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "countdown/CTime.h"
#include "countdown/CTimeSpan.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "countdown/CountdownRefresh.h"

namespace {

// 2026-03-01 12:00:00 UTC; the arrival is some 200 days later.
constexpr std::int64_t kStart = 1'772'366'400;

void UseZone(const char* pszZone) {
    ::setenv("TZ", pszZone, 1);
    ::tzset();
}

// What the main window's timer does with the countdown, minus the widgets:
// field writes, the arrival text and the caption and tip land in plain strings.
class CountdownTick {
public:
    explicit CountdownTick(const IClock& clock) : m_clock(clock) {
        m_refresh.PlanInitial(Span());
        m_refresh.ArrivalTextDue(m_refresh.ArrivalText(m_arrival), true);
    }

    void Tick() {
        const CTimeSpan span = Span();
        const RefreshPlan plan = m_refresh.Plan(RefreshMode::ChangedOnly, span);
        for (const FieldWrite& write : plan) m_nSink += write.nValue;
        const std::string& strArrival = m_refresh.ArrivalText(m_arrival);
        if (m_refresh.ArrivalTextDue(strArrival, false)) m_nSink += strArrival.size();
        if (plan.bCaption) {
            m_strCaption = FormatCaption(span);
            m_strTip = FormatTrayTip(span);
            ++m_nCaptions;
        }
    }

    std::int64_t Sink() const { return m_nSink; }
    std::int64_t Captions() const { return m_nCaptions; }

private:
    CTimeSpan Span() {
        m_arrival = ArrivalMoment(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute);
        return m_arrival - CTime::GetCurrentTime(m_clock);
    }

    const IClock& m_clock;
    CountdownRefresh m_refresh;
    int m_nYear = 2026, m_nMonth = 9, m_nDay = 17, m_nHour = 18, m_nMinute = 45;
    CTime m_arrival;
    std::string m_strCaption, m_strTip;
    std::int64_t m_nSink = 0;
    std::int64_t m_nCaptions = 0;
};

// nSecondsPerTick: how far the clock moves between ticks. 0.5 is the real
// rhythm (every other tick the seconds change); 60 makes every tick a
// minute rollover with caption and tip.
void RunTicks(benchmark::State& state, const char* pszZone, double dSecondsPerTick) {
    UseZone(pszZone);
    FixedClock clock(kStart);
    CountdownTick tick(clock);
    std::int64_t nHalfSeconds = 0;
    const auto nStep = static_cast<std::int64_t>(dSecondsPerTick * 2);
    for (auto _ : state) {
        nHalfSeconds += nStep;
        clock.Set(kStart + nHalfSeconds / 2);
        tick.Tick();
    }
    benchmark::DoNotOptimize(tick.Sink());
    state.counters["captions_per_tick"] =
        static_cast<double>(tick.Captions()) / static_cast<double>(state.iterations());
}

void BM_TickRealRhythm(benchmark::State& state, const char* pszZone) {
    RunTicks(state, pszZone, 0.5);
}
BENCHMARK_CAPTURE(BM_TickRealRhythm, utc, "UTC");
BENCHMARK_CAPTURE(BM_TickRealRhythm, berlin, "Europe/Berlin");

void BM_TickEveryTickASecond(benchmark::State& state, const char* pszZone) {
    RunTicks(state, pszZone, 1);
}
BENCHMARK_CAPTURE(BM_TickEveryTickASecond, berlin, "Europe/Berlin");

void BM_TickMinuteRollover(benchmark::State& state, const char* pszZone) {
    RunTicks(state, pszZone, 60);
}
BENCHMARK_CAPTURE(BM_TickMinuteRollover, utc, "UTC");
BENCHMARK_CAPTURE(BM_TickMinuteRollover, berlin, "Europe/Berlin");

// The floor: the clock read and one number made text.
void BM_TickFloor(benchmark::State& state) {
    SystemClock clock;
    char text[24];
    for (auto _ : state) {
        const auto [pEnd, error] = std::to_chars(text, text + sizeof text, clock.Now() % 60);
        benchmark::DoNotOptimize(pEnd);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_TickFloor);

// The parts, to tell where a tick's time goes.
void BM_ArrivalMoment(benchmark::State& state, const char* pszZone) {
    UseZone(pszZone);
    for (auto _ : state) benchmark::DoNotOptimize(ArrivalMoment(2026, 9, 17, 18, 45));
}
BENCHMARK_CAPTURE(BM_ArrivalMoment, utc, "UTC");
BENCHMARK_CAPTURE(BM_ArrivalMoment, berlin, "Europe/Berlin");

void BM_RefreshPlanOnly(benchmark::State& state) {
    CountdownRefresh refresh;
    std::int64_t nSeconds = 17'000'000;
    refresh.PlanInitial(CTimeSpan(nSeconds));
    for (auto _ : state)
        benchmark::DoNotOptimize(refresh.Plan(RefreshMode::ChangedOnly, CTimeSpan(--nSeconds)));
}
BENCHMARK(BM_RefreshPlanOnly);

void BM_CaptionAndTip(benchmark::State& state) {
    const CTimeSpan span(17'000'000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatCaption(span));
        benchmark::DoNotOptimize(FormatTrayTip(span));
    }
}
BENCHMARK(BM_CaptionAndTip);

// Once per arrival change: after Setup, never on an ordinary tick.
void BM_FormatArrival(benchmark::State& state) {
    UseZone("Europe/Berlin");
    const CTime arrival = ArrivalMoment(2026, 9, 17, 18, 45);
    for (auto _ : state) benchmark::DoNotOptimize(FormatArrival(arrival));
}
BENCHMARK(BM_FormatArrival);

}  // namespace
