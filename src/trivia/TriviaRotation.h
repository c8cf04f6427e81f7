// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "countdown/Clock.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaTable.h"

// The two text boxes of the trivia square, as the rotation writes them.
class ITriviaView {
public:
    virtual ~ITriviaView() = default;
    virtual void SetQuestionText(const std::string& strText) = 0;
    virtual void SetAnswerText(const std::string& strText) = 0;
};

// What the question box shows when the table is empty.
inline constexpr const char* kNoTriviaText = "No trivia loaded.";

// What it shows when no entry of the table has a question (a damaged file):
// "No usable trivia in FILE."
std::string NoUsableTriviaText(const std::string& strPath);

// The period of the window's timer: two ticks a second. The rotation counts
// these ticks, so the interval in seconds holds only at this period.
inline constexpr int kTickPeriodMs = 500;

// What a trivia step shows: a new question, or the current one's answer.
enum class TriviaMode { Pick, Reveal };

// Rotates the entries of the table through the trivia square: a pick shows a
// random entry's question with an empty answer box, the tick counter reveals
// the answer half-way through each interval and picks anew at its end. Pause
// freezes what is shown while the counter keeps running.
class TriviaRotation {
public:
    // nTrivTime: the interval in seconds; below 1 counts as 1.
    TriviaRotation(const TriviaTable& table, ITriviaView& view, ITriviaRandom& random,
                   const IClock& clock, int nTrivTime);

    // Picks a new entry or reveals the current answer. Does nothing while paused.
    void ShowTrivia(TriviaMode mode);

    // The trivia step of a 500 ms tick: reveal at T when an answer is pending,
    // pick at 2T and restart at 1, both decided on the counter before it moves.
    // Allocates nothing and writes nothing on ticks where nothing is due.
    // hot: runs on every tick (CountdownScreen::OnTimer)
    [[gnu::hot]] void Tick();

    // The file the table was read from, named when none of its entries has a question.
    void SetTriviaFile(const std::string& strPath) { m_strTriviaFile = strPath; }

    // The counter starts over at 1, as after a pick (the load does this).
    void RestartCounter() { m_nTriviaTick = 1; }

    // Setup's new interval. A changed interval restarts the counter, so a
    // counter already past the new 2T cannot stop the rotation for good.
    void SetInterval(int nTrivTime);

    // Pause flips here; returns the new state for the banner.
    bool TogglePause();

    bool IsPaused() const { return m_bPaused; }
    int TriviaTick() const { return m_nTriviaTick; }
    int Interval() const { return m_nTrivTime; }
    bool AnswerPending() const { return m_bAnswerPending; }
    const std::string& Question() const { return m_strQuestion; }
    const std::string& Answer() const { return m_strAnswer; }

private:
    void Pick();

    const TriviaTable& m_table;
    ITriviaView& m_view;
    ITriviaRandom& m_random;
    const IClock& m_clock;

    std::string m_strQuestion;
    std::string m_strAnswer;
    std::string m_strTriviaFile;
    int m_nHasQuestions = -1;  // whether any entry has a question; -1 until the first pick looks
    int m_nTrivTime = 1;
    int m_nTriviaTick = 1;
    bool m_bAnswerPending = false;
    bool m_bPaused = false;
};
