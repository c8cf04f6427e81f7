// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "trivia/TriviaCheck.h"
#include "trivia/TriviaEntry.h"

namespace {

struct ParseCase {
    std::string strLine, strQuestion, strAnswer;
};

class ParseTriviaEntryTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTriviaEntryTest, ShowsWhatTheCutsGive) {
    const ParseCase& c = GetParam();
    const TriviaEntry entry = ParseTriviaEntry(c.strLine);
    EXPECT_EQ(entry.strQuestion, c.strQuestion);
    EXPECT_EQ(entry.strAnswer, c.strAnswer);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ParseTriviaEntryTest,
    testing::Values(ParseCase{"7|ABC|Where?|Here|", "Where?", "Here"},
                    ParseCase{"7|ABC|Where?|Here", "Where?", ""},         // answer not closed
                    ParseCase{"7|ABCD|Where?|Here|", "", "Where?"},       // 4-byte code
                    ParseCase{"7|AB|Where?|Here|", "here?", "Here"},      // 2-byte code
                    ParseCase{"|ABC|Where?|Here|", "Where?", "Here"},     // empty leading field
                    ParseCase{"7|ABC|Where?", "", ""},                    // question not closed
                    ParseCase{"7|ABC|Where?|Here|\r", "Where?", "Here"},  // CR in trailing field
                    ParseCase{"7|ABC|Where?|Here\r", "Where?", ""},       // CR does not close
                    ParseCase{"no separator at all", "", ""}, ParseCase{"", "", ""},
                    ParseCase{"7|ABC||Here|", "", "Here"},  // empty question
                    ParseCase{"7|ABC|Q?||", "Q?", ""},      // empty answer, closed
                    ParseCase{"7|A|C|Q?|A|", "Q?", "A"},    // code may hold "|"
                    ParseCase{"7|ABCxQ?|A|", "Q?", "A"},    // byte after code skipped
                    ParseCase{"7|ABC|Q?|A|trailing|more|", "Q?", "A"},
                    ParseCase{"7|ABC", "", ""},   // rest of 3 bytes
                    ParseCase{"7|ABC|", "", ""},  // rest of exactly 4
                    ParseCase{"7|ABC|Wo liegt Köln?|Am Rhein|", "Wo liegt Köln?", "Am Rhein"},
                    ParseCase{"7|GEO|\xE6\x9D\xB1\xE4\xBA\xAC?|\xE6\x97\xA5\xE6\x9C\xAC|",
                              "\xE6\x9D\xB1\xE4\xBA\xAC?", "\xE6\x97\xA5\xE6\x9C\xAC"},
                    ParseCase{std::string("7|ABC|Q\0?|A\0|", 14), std::string("Q\0?", 3),
                              std::string("A\0", 2)}));

struct CheckCase {
    std::string strText;
    std::vector<TriviaFinding> findings;
};

class CheckTriviaTextTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTriviaTextTest, NamesEachFaultyLine) {
    EXPECT_EQ(CheckTriviaText(GetParam().strText), GetParam().findings);
}

using P = TriviaProblem;
INSTANTIATE_TEST_SUITE_P(
    Texts, CheckTriviaTextTest,
    testing::Values(
        CheckCase{"", {}}, CheckCase{"1|GEO|Where?|Here|\n2|SCI|Why?|Because|trailing\r\n", {}},
        CheckCase{"1|GEO|Q?||\n", {}},  // no answer is allowed: the question shows alone
        CheckCase{"1|GEO|Q?|A|\n\n3|GEO|Q?|A|", {{2, P::NoSeparator}}},
        CheckCase{"just text\n", {{1, P::NoSeparator}}},
        CheckCase{"x\n7|ABCD|Where?|Here|\n7|AB|Where?|Here|\n7|ABC",
                  {{1, P::NoSeparator},
                   {2, P::CodeNotThreeBytes},
                   {3, P::CodeNotThreeBytes},
                   {4, P::CodeNotThreeBytes}}},
        CheckCase{"7|ABC|Where?\n7|ABC|Where?|Here\n7|ABC|Where?|Here\r\n7|ABC||Here|\n",
                  {{1, P::QuestionNotClosed},
                   {2, P::AnswerNotClosed},
                   {3, P::AnswerNotClosed},
                   {4, P::EmptyQuestion}}}));

TEST(CheckTriviaText, ReportsEveryLineBeyondTheTable) {
    std::string strText;
    for (int i = 0; i < 5001; ++i) strText += "1|GEO|Q?|A|\n";
    EXPECT_EQ(CheckTriviaText(strText),
              (std::vector<TriviaFinding>{{5000, P::BeyondTable}, {5001, P::BeyondTable}}));
}

}  // namespace
