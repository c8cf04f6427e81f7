// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <initializer_list>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "countdown/Clock.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

// Counts heap allocations while a test asks for it: the tick path must make none.
namespace {
bool g_bCountAllocations = false;
int g_nAllocations = 0;
}  // namespace

void* operator new(std::size_t nSize) {
    if (g_bCountAllocations) ++g_nAllocations;
    if (void* p = std::malloc(nSize == 0 ? 1 : nSize)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that the matching operator new above also uses malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

// Hands out the draws a test scripts, and remembers every seed.
class ScriptedRandom final : public ITriviaRandom {
public:
    void Seed(unsigned nSeed) override { m_seeds.push_back(nSeed); }
    int Next() override {
        ++m_nDraws;
        if (m_draws.empty()) {
            ADD_FAILURE() << "more draws than scripted";
            return 1;
        }
        const int n = m_draws.front();
        m_draws.pop_front();
        return n;
    }
    void Script(std::initializer_list<int> draws) { m_draws.insert(m_draws.end(), draws); }

    std::deque<int> m_draws;
    std::vector<unsigned> m_seeds;
    int m_nDraws = 0;
};

// Records what reaches the two boxes and on which tick.
class RecordingView final : public ITriviaView {
public:
    struct Write {
        int nTick;
        char box;  // 'Q' or 'A'
        std::string strText;
        bool operator==(const Write&) const = default;
    };
    void SetQuestionText(const std::string& strText) override {
        m_writes.push_back({m_nTick, 'Q', strText});
    }
    void SetAnswerText(const std::string& strText) override {
        m_writes.push_back({m_nTick, 'A', strText});
    }
    int m_nTick = 0;
    std::vector<Write> m_writes;
};

void PrintTo(const RecordingView::Write& w, std::ostream* os) {
    *os << "{tick " << w.nTick << ", " << w.box << ", \"" << w.strText << "\"}";
}

using W = RecordingView::Write;

class TriviaRotationTest : public testing::Test {
protected:
    void Fill(std::initializer_list<std::string> entries) {
        int n = 0;
        for (const std::string& strEntry : entries) m_table->m_strTrivia[++n] = strEntry;
        m_table->m_nTriviaLines = n;
    }
    // Start-up: the load restarts the counter, then the first pick.
    TriviaRotation& Start(int nTrivTime) {
        m_rotation =
            std::make_unique<TriviaRotation>(*m_table, m_view, m_random, m_clock, nTrivTime);
        m_rotation->RestartCounter();
        m_rotation->ShowTrivia(TriviaMode::Pick);
        return *m_rotation;
    }
    void Ticks(int nCount) {
        for (int i = 0; i < nCount; ++i) {
            ++m_view.m_nTick;
            m_rotation->Tick();
        }
    }
    std::vector<W> WritesFrom(int nTick) const {
        std::vector<W> writes;
        for (const W& w : m_view.m_writes) {
            if (w.nTick >= nTick) writes.push_back(w);
        }
        return writes;
    }

    std::unique_ptr<TriviaTable> m_table = std::make_unique<TriviaTable>();
    RecordingView m_view;
    ScriptedRandom m_random;
    FixedClock m_clock{1'700'000'000};
    std::unique_ptr<TriviaRotation> m_rotation;
};

class RotationTiming : public TriviaRotationTest, public testing::WithParamInterface<int> {};

TEST_P(RotationTiming, RevealsAtTAndPicksAt2T) {
    const int T = GetParam();
    Fill({"1|GEO|Where?|Here|", "2|SCI|Why?|Because|"});
    m_random.Script({1, 2, 1});
    Start(T);
    Ticks(4 * T);
    EXPECT_EQ(m_view.m_writes, (std::vector<W>{{0, 'Q', "Where?"},
                                               {0, 'A', ""},
                                               {T, 'A', "Here"},
                                               {2 * T, 'Q', "Why?"},
                                               {2 * T, 'A', ""},
                                               {3 * T, 'A', "Because"},
                                               {4 * T, 'Q', "Where?"},
                                               {4 * T, 'A', ""}}));
    EXPECT_EQ(m_rotation->TriviaTick(), 1);
}

INSTANTIATE_TEST_SUITE_P(Intervals, RotationTiming, testing::Values(1, 2, 30, 18000));

TEST_F(TriviaRotationTest, PickThrowsAwayDrawsOutsideTheTableAndSeedsFromTheClock) {
    Fill({"1|AAA|a|x|", "2|BBB|b|y|", "3|CCC|c|z|"});
    m_random.Script({0, 4, 32767, 3});
    Start(30);
    EXPECT_EQ(m_rotation->Question(), "c");
    EXPECT_EQ(m_random.m_nDraws, 4);
    m_clock.Advance(7);
    m_random.Script({2});
    m_rotation->ShowTrivia(TriviaMode::Pick);
    EXPECT_EQ(m_random.m_seeds, (std::vector<unsigned>{1'700'000'000u, 1'700'000'007u}));
}

TEST_F(TriviaRotationTest, EntryWithoutAnswerNeverReveals) {
    Fill({"1|GEO|Open question?||", "2|GEO|Unclosed?|answer"});
    m_random.Script({1, 2, 1});
    Start(5);
    Ticks(20);
    for (const W& w : m_view.m_writes) {
        EXPECT_FALSE(w.box == 'A' && !w.strText.empty()) << w.nTick;
        EXPECT_NE(w.nTick, 5);  // no reveal was pending
    }
    EXPECT_FALSE(m_rotation->AnswerPending());
}

TEST_F(TriviaRotationTest, AfterOneAnswerEveryRevealWritesTheCurrentOne) {
    Fill({"1|GEO|Q1?|A1|", "2|GEO|Q2?||"});
    m_random.Script({1, 2});
    Start(2);
    Ticks(6);
    EXPECT_EQ(WritesFrom(5), (std::vector<W>{{6, 'A', ""}}));  // reveal of the empty answer
    EXPECT_TRUE(m_rotation->AnswerPending());
}

TEST_F(TriviaRotationTest, PauseAcross2TRestartsTheCounterWithoutAPick) {
    Fill({"1|GEO|Q1?|A1|", "2|GEO|Q2?|A2|"});
    m_random.Script({1});
    Start(3);
    Ticks(2);
    EXPECT_TRUE(m_rotation->TogglePause());
    Ticks(4);  // ticks 3 to 6: the reveal and the pick fall into the pause
    EXPECT_EQ(m_rotation->TriviaTick(), 1);
    EXPECT_EQ(WritesFrom(1), std::vector<W>{});
    m_rotation->ShowTrivia(TriviaMode::Pick);  // paused: no draw, no write
    EXPECT_EQ(m_random.m_nDraws, 1);

    EXPECT_FALSE(m_rotation->TogglePause());
    m_random.Script({2});
    Ticks(6);  // the counter goes on from where it stood: reveal at 9, pick at 12
    EXPECT_EQ(WritesFrom(1), (std::vector<W>{{9, 'A', "A1"}, {12, 'Q', "Q2?"}, {12, 'A', ""}}));
}

TEST_F(TriviaRotationTest, LoweringTheIntervalKeepsTheRotationGoing) {
    Fill({"1|GEO|Q1?|A1|", "2|GEO|Q2?|A2|"});
    m_random.Script({1, 2});
    Start(30);
    Ticks(50);
    m_rotation->SetInterval(10);  // the counter stood at 51, past the new 2T
    EXPECT_EQ(m_rotation->TriviaTick(), 1);
    Ticks(20);
    EXPECT_EQ(WritesFrom(31), (std::vector<W>{{60, 'A', "A1"}, {70, 'Q', "Q2?"}, {70, 'A', ""}}));
}

TEST_F(TriviaRotationTest, SameIntervalFromSetupKeepsTheCounter) {
    Fill({"1|GEO|Q1?|A1|"});
    m_random.Script({1});
    Start(30);
    Ticks(10);
    m_rotation->SetInterval(30);
    EXPECT_EQ(m_rotation->TriviaTick(), 11);
}

TEST_F(TriviaRotationTest, IntervalBelowOneCountsAsOne) {
    Fill({"1|GEO|Q1?|A1|"});
    m_random.Script({1, 1, 1});
    Start(-5);
    EXPECT_EQ(m_rotation->Interval(), 1);
    Ticks(2);
    m_rotation->SetInterval(0);
    Ticks(2);
    EXPECT_EQ(WritesFrom(1), (std::vector<W>{{1, 'A', "A1"},
                                             {2, 'Q', "Q1?"},
                                             {2, 'A', ""},
                                             {3, 'A', "A1"},
                                             {4, 'Q', "Q1?"},
                                             {4, 'A', ""}}));
}

TEST_F(TriviaRotationTest, OneEntryTableAlwaysPicksItWithTheRealGenerator) {
    Fill({"1|GEO|Only?|One|"});
    StdTriviaRandom random;
    TriviaRotation rotation(*m_table, m_view, random, m_clock, 30);
    for (int i = 0; i < 50; ++i) {
        m_clock.Advance(1);
        rotation.ShowTrivia(TriviaMode::Pick);
        ASSERT_EQ(rotation.Question(), "Only?");
    }
}

TEST_F(TriviaRotationTest, EmptyTableReturnsAtOnceWithAHint) {
    Start(1);
    Ticks(4);
    EXPECT_EQ(m_random.m_nDraws, 0);
    EXPECT_TRUE(m_random.m_seeds.empty());
    EXPECT_EQ(m_view.m_writes.front(), (W{0, 'Q', kNoTriviaText}));
    EXPECT_EQ(m_rotation->Question(), "");
    EXPECT_FALSE(m_rotation->AnswerPending());
}

TEST_F(TriviaRotationTest, TableWithoutAnyQuestionSaysSoInsteadOfBlanks) {
    Fill({"random bytes", "", "1|GEO|||"});  // what a damaged triv.dat gives
    m_random.Script({1, 2, 3});
    m_rotation = std::make_unique<TriviaRotation>(*m_table, m_view, m_random, m_clock, 1);
    m_rotation->SetTriviaFile("/data/triv.dat");
    m_rotation->ShowTrivia(TriviaMode::Pick);
    Ticks(4);
    EXPECT_EQ(m_view.m_writes.front(), (W{0, 'Q', "No usable trivia in /data/triv.dat."}));
    EXPECT_FALSE(m_rotation->AnswerPending());
}

TEST_F(TriviaRotationTest, TicksWithNothingDueAllocateNothing) {
    Fill({"1|GEO|Q1?|A1|"});
    m_random.Script({1});
    Start(30);
    Ticks(1);
    m_view.m_writes.reserve(16);
    g_nAllocations = 0;
    g_bCountAllocations = true;
    Ticks(28);  // up to and including the reveal tick, which writes a held string
    g_bCountAllocations = false;
    EXPECT_EQ(g_nAllocations, 0);
}

TEST(StdTriviaRandom, DrawsFifteenBitsAndRepeatsForTheSameSeed) {
    StdTriviaRandom a, b;
    a.Seed(42);
    b.Seed(42);
    bool bHigh = false;
    for (int i = 0; i < 10000; ++i) {
        const int n = a.Next();
        ASSERT_GE(n, 0);
        ASSERT_LE(n, kTriviaRandomMax);
        ASSERT_EQ(n, b.Next());
        bHigh = bHigh || n > 16383;
    }
    EXPECT_TRUE(bHigh);
    // Seeded from the clock before each pick: the first draws of successive
    // seconds must not step by a fixed stride, as a plain LCG's do.
    std::set<int> steps;
    int nLast = 0;
    for (unsigned nSeed = 0; nSeed < 1000; ++nSeed) {
        a.Seed(nSeed);
        const int n = a.Next();
        steps.insert((n - nLast) & kTriviaRandomMax);
        nLast = n;
    }
    EXPECT_GT(steps.size(), 900u);
}

}  // namespace
