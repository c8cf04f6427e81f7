// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Why an entry of a trivia file would not show as its author meant.
enum class TriviaProblem {
    NoSeparator,        // no "|" at all (an empty line too)
    CodeNotThreeBytes,  // the byte three after the first "|" is not "|"
    QuestionNotClosed,  // no "|" after the question
    EmptyQuestion,
    AnswerNotClosed,  // no "|" after the answer: the answer would show empty
    BeyondTable,      // past the 4999 entries the table holds
};

struct TriviaFinding {
    int nLine = 0;  // 1-based
    TriviaProblem problem = TriviaProblem::NoSeparator;
    bool operator==(const TriviaFinding&) const = default;
};

// Every entry of plain trivia text that would show wrongly, in line order, at
// most one finding per line: the first fault that shifts or empties what shows.
std::vector<TriviaFinding> CheckTriviaText(std::string_view strPlain);

// "1 entry", "2 entries".
std::string CountOfEntries(std::size_t nEntries);

// A short English description for people fixing the file.
std::string_view DescribeTriviaProblem(TriviaProblem problem);
