// SPDX-License-Identifier: GPL-3.0-or-later
// triv.dat as it comes: any bytes through the decoder, the line splitter, the
// entry parse and the entry check, then through LoadTrivia from a real file
// and into one pick of the rotation.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "countdown/Clock.h"
#include "trivia/TriviaCheck.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaEntry.h"
#include "trivia/TriviaLoader.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

namespace {

bool Within(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

// Draws for a table of nLines entries: one that misses the table (the pick
// must draw again), then an entry chosen by the seed. Real draws would take
// thousands of misses on a small table and slow the fuzzing down.
class LandingRandom final : public ITriviaRandom {
public:
    explicit LandingRandom(int nLines) : m_nLines(std::max(nLines, 1)) {}
    void Seed(unsigned nSeed) override {
        m_nSeed = nSeed;
        m_bMissed = false;
    }
    int Next() override {
        if (!m_bMissed) {
            m_bMissed = true;
            return 0;
        }
        return 1 + static_cast<int>(m_nSeed % static_cast<unsigned>(m_nLines));
    }

private:
    int m_nLines;
    unsigned m_nSeed = 0;
    bool m_bMissed = false;
};

class RecordingView final : public ITriviaView {
public:
    void SetQuestionText(const std::string& strText) override { m_strQuestion = strText; }
    void SetAnswerText(const std::string& strText) override { m_strAnswer = strText; }
    std::string m_strQuestion, m_strAnswer;
};

void CheckLines(std::string_view strPlain, const std::vector<std::string_view>& lines) {
    std::string strJoined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(Within(lines[i], strPlain));
        FUZZ_CHECK(lines[i].find('\n') == std::string_view::npos);
        if (i > 0) strJoined += '\n';
        strJoined += lines[i];
    }
    if (!strPlain.empty() && strPlain.back() == '\n') strJoined += '\n';
    FUZZ_CHECK(strJoined == strPlain);
}

// The check and the parse must agree: an entry the check passes shows a
// question and has its answer closed by "|".
void CheckEntries(std::string_view strPlain, const std::vector<std::string_view>& lines) {
    const std::vector<TriviaFinding> findings = CheckTriviaText(strPlain);
    std::size_t nNext = 0;
    int nLastLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int nLine = static_cast<int>(i) + 1;
        const TriviaEntry entry = ParseTriviaEntry(lines[i]);
        FUZZ_CHECK(Within(entry.strQuestion, lines[i]));
        FUZZ_CHECK(Within(entry.strAnswer, lines[i]));
        FUZZ_CHECK(entry.strQuestion.find('|') == std::string_view::npos);
        FUZZ_CHECK(entry.strAnswer.find('|') == std::string_view::npos);

        const bool bFound = nNext < findings.size() && findings[nNext].nLine == nLine;
        if (bFound) {
            FUZZ_CHECK(findings[nNext].nLine > nLastLine);
            FUZZ_CHECK(!DescribeTriviaProblem(findings[nNext].problem).empty());
            nLastLine = findings[nNext].nLine;
            ++nNext;
        } else {
            FUZZ_CHECK(nLine <= kTriviaMaxLines);
            FUZZ_CHECK(!entry.strQuestion.empty());
            const char* pAfterQuestion = entry.strQuestion.data() + entry.strQuestion.size();
            FUZZ_CHECK(
                std::string_view(pAfterQuestion, lines[i].data() + lines[i].size() - pAfterQuestion)
                    .find('|', 1) != std::string_view::npos);
        }
    }
    FUZZ_CHECK(nNext == findings.size());
}

void CheckLoad(std::string_view stored, const std::vector<std::string_view>& lines) {
    static const FuzzDir dir;
    static const auto table = std::make_unique<TriviaTable>();
    const std::string strDat = dir.Path("triv.dat");
    const std::string strTmp = dir.Path("triv.tmp");
    WriteFuzzFile(strDat, stored);

    const TriviaLoadResult result = LoadTrivia(strDat, strTmp, *table);
    const std::size_t nKept = std::min<std::size_t>(lines.size(), kTriviaMaxLines);
    FUZZ_CHECK(result.messages.size() == (lines.size() > nKept ? 1u : 0u));
    FUZZ_CHECK(table->m_nTriviaLines == static_cast<int>(nKept));
    for (std::size_t i = 0; i < nKept; ++i) FUZZ_CHECK(table->m_strTrivia[i + 1] == lines[i]);
    FUZZ_CHECK(::access(strTmp.c_str(), F_OK) != 0);

    // One pick and its reveal, as the first ticks would show them.
    RecordingView view;
    LandingRandom random(static_cast<int>(nKept));
    const FixedClock clock(static_cast<std::int64_t>(stored.size()));
    TriviaRotation rotation(*table, view, random, clock, 1);
    rotation.ShowTrivia(TriviaMode::Pick);
    if (nKept == 0) FUZZ_CHECK(view.m_strQuestion == kNoTriviaText);
    rotation.Tick();
    FUZZ_CHECK(view.m_strAnswer == rotation.Answer());
    rotation.Tick();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view stored(reinterpret_cast<const char*>(pData), nSize);
    const std::string strPlain = UnpackTrivia(stored);
    FUZZ_CHECK(PackTrivia(strPlain) == stored);
    (void)LooksPacked(stored);

    const std::vector<std::string_view> lines = SplitTriviaLines(strPlain);
    CheckLines(strPlain, lines);
    CheckEntries(strPlain, lines);
    CheckLoad(stored, lines);
    return 0;
}
