// SPDX-License-Identifier: GPL-3.0-or-later
// Trivia files no author meant, from the load to the first pick and reveal
// with the real generator: the program shows what the entries hold (or the
// hint for an empty table), says so when entries are left out, and never
// stops. The loader's own fault cases (symlinked triv.tmp, FIFO, 10 MB line,
// 10,000 lines, a full disk) are in TriviaLoaderTest.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "countdown/Clock.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaLoader.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

namespace {

std::string RandomBytes(std::size_t nSize, unsigned nSeed) {
    std::mt19937 engine(nSeed);
    std::string bytes(nSize, '\0');
    for (char& c : bytes) c = static_cast<char>(engine() & 0xFF);
    return bytes;
}

class LastWrites final : public ITriviaView {
public:
    void SetQuestionText(const std::string& strText) override { m_strQuestion = strText; }
    void SetAnswerText(const std::string& strText) override { m_strAnswer = strText; }
    std::string m_strQuestion, m_strAnswer;
};

struct FaultFile {
    const char* pszName;
    std::string strStored;  // triv.dat exactly as on disk
};

// The lines of a stored file, counted on the stored bytes: every packed LF
// ends one, and a last line without it counts too.
std::size_t StoredLines(const std::string& strStored) {
    constexpr char kPackedLf = static_cast<char>('\n' + kTriviaShift);
    const auto nLf =
        static_cast<std::size_t>(std::count(strStored.begin(), strStored.end(), kPackedLf));
    return nLf + (!strStored.empty() && strStored.back() != kPackedLf ? 1 : 0);
}

class OddTriviaFile : public testing::TestWithParam<FaultFile> {};

TEST_P(OddTriviaFile, LoadsPicksAndRevealsWithoutStopping) {
    const FaultFile& file = GetParam();
    TempDir dir;
    WriteFileBytes(dir / "triv.dat", file.strStored);
    const auto table = std::make_unique<TriviaTable>();

    const std::size_t nFileLines = StoredLines(file.strStored);
    const int nLines = static_cast<int>(std::min<std::size_t>(nFileLines, kTriviaMaxLines));

    const TriviaLoadResult result = LoadTrivia(dir.Str(), *table);
    // Left-out entries are told; nothing else is.
    ASSERT_EQ(result.messages.size(), nFileLines > kTriviaMaxLines ? 1u : 0u);
    EXPECT_EQ(table->m_nTriviaLines, nLines);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir / "triv.tmp")));

    LastWrites view;
    StdTriviaRandom random;
    FixedClock clock(1'780'000'000);
    TriviaRotation rotation(*table, view, random, clock, 1);
    for (int nPick = 0; nPick < 20; ++nPick) {
        clock.Advance(1);
        rotation.ShowTrivia(TriviaMode::Pick);
        rotation.ShowTrivia(TriviaMode::Reveal);
        if (nLines == 0) {
            EXPECT_EQ(view.m_strQuestion, kNoTriviaText);
        } else if (view.m_strQuestion == NoUsableTriviaText({})) {
            EXPECT_EQ(rotation.Question(), "");  // not one entry has a question
        } else {
            EXPECT_EQ(view.m_strQuestion, rotation.Question());
            EXPECT_EQ(view.m_strAnswer, rotation.Answer());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OddTriviaFile,
    testing::Values(FaultFile{"ZeroBytes", ""},
                    // About one LF in 256 bytes: some 4,000 lines of junk.
                    FaultFile{"RandomBinaryMegabyte", RandomBytes(1 << 20, 7)},
                    FaultFile{"RandomBinaryTwoMegabytes", RandomBytes(2 << 20, 9)},
                    FaultFile{"RandomBinaryWithoutAnyLf",
                              [] {
                                  std::string bytes = RandomBytes(300'000, 8);
                                  for (char& c : bytes)
                                      if (c == static_cast<char>('\n' + kTriviaShift)) c = 'x';
                                  return bytes;
                              }()},
                    FaultFile{"OnlySeparators", PackTrivia(std::string(100'000, '|'))},
                    FaultFile{"FiveThousandEmptyLines", PackTrivia(std::string(5000, '\n'))},
                    FaultFile{"PlainTextNotPacked", "1|GEO|Plain?|Yes|\n2|GEO|Still?|Yes|\n"}),
    [](const auto& info) { return std::string(info.param.pszName); });

}  // namespace
