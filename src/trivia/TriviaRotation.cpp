// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaRotation.h"

#include <algorithm>
#include <cstdint>

#include "trivia/TriviaEntry.h"

namespace {

const std::string kEmpty;
const std::string kNoTrivia = kNoTriviaText;

int EffectiveInterval(int nTrivTime) {
    return std::max(nTrivTime, 1);
}

}  // namespace

std::string NoUsableTriviaText(const std::string& strPath) {
    return "No usable trivia in " + (strPath.empty() ? std::string("the trivia file") : strPath) +
           ".";
}

TriviaRotation::TriviaRotation(const TriviaTable& table, ITriviaView& view, ITriviaRandom& random,
                               const IClock& clock, int nTrivTime)
    : m_table(table),
      m_view(view),
      m_random(random),
      m_clock(clock),
      m_nTrivTime(EffectiveInterval(nTrivTime)) {}

void TriviaRotation::ShowTrivia(TriviaMode mode) {
    if (m_bPaused) return;
    if (mode == TriviaMode::Reveal) {
        m_view.SetAnswerText(m_strAnswer);
        return;
    }
    Pick();
}

void TriviaRotation::Pick() {
    const int nLines = std::min(m_table.m_nTriviaLines, kTriviaMaxLines);
    // A table of entries none of which has a question would only ever show
    // blank boxes: say so once, instead. The table does not change under a rotation.
    if (nLines >= 1 && m_nHasQuestions < 0) {
        m_nHasQuestions = 0;
        for (int i = 1; i <= nLines && m_nHasQuestions == 0; ++i)
            m_nHasQuestions = ParseTriviaEntry(m_table.m_strTrivia[i]).strQuestion.empty() ? 0 : 1;
    }
    if (nLines >= 1 && m_nHasQuestions == 0) {
        m_strQuestion.clear();
        m_strAnswer.clear();
        m_view.SetQuestionText(NoUsableTriviaText(m_strTriviaFile));
        m_view.SetAnswerText(kEmpty);
        return;
    }
    if (nLines < 1) {
        // No draw could ever land in an empty table: show the hint and go on.
        m_strQuestion.clear();
        m_strAnswer.clear();
        m_view.SetQuestionText(kNoTrivia);
        m_view.SetAnswerText(kEmpty);
        return;
    }

    // Seeded with the time in whole seconds: two picks in one second choose alike.
    m_random.Seed(static_cast<unsigned>(m_clock.Now()));
    int n = m_random.Next();
    while (n < 1 || n > nLines) n = m_random.Next();

    const TriviaEntry entry = ParseTriviaEntry(m_table.m_strTrivia[n]);
    m_strQuestion.assign(entry.strQuestion);
    m_strAnswer.assign(entry.strAnswer);
    if (!m_strAnswer.empty()) m_bAnswerPending = true;

    m_view.SetQuestionText(m_strQuestion);
    m_view.SetAnswerText(kEmpty);
}

void TriviaRotation::Tick() {
    const std::int64_t nTwice = 2 * static_cast<std::int64_t>(m_nTrivTime);
    if (m_nTriviaTick == m_nTrivTime && m_bAnswerPending) ShowTrivia(TriviaMode::Reveal);
    if (m_nTriviaTick == nTwice) {
        ShowTrivia(TriviaMode::Pick);
        m_nTriviaTick = 1;
    } else {
        ++m_nTriviaTick;
    }
}

void TriviaRotation::SetInterval(int nTrivTime) {
    const int nNew = EffectiveInterval(nTrivTime);
    if (nNew == m_nTrivTime) return;
    m_nTrivTime = nNew;
    m_nTriviaTick = 1;
}

bool TriviaRotation::TogglePause() {
    m_bPaused = !m_bPaused;
    return m_bPaused;
}
