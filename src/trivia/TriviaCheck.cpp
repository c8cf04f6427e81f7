// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaCheck.h"

#include <optional>

#include "trivia/TriviaCodec.h"
#include "trivia/TriviaTable.h"

namespace {

// Follows the cuts of ParseTriviaEntry and names the first one that goes wrong.
std::optional<TriviaProblem> CheckEntry(std::string_view strLine) {
    const std::size_t nFirst = strLine.find('|');
    if (nFirst == std::string_view::npos) return TriviaProblem::NoSeparator;

    const std::size_t nAfterCode = nFirst + 4;
    if (nAfterCode >= strLine.size() || strLine[nAfterCode] != '|') {
        return TriviaProblem::CodeNotThreeBytes;
    }
    const std::size_t nQuestionEnd = strLine.find('|', nAfterCode + 1);
    if (nQuestionEnd == std::string_view::npos) return TriviaProblem::QuestionNotClosed;
    if (nQuestionEnd == nAfterCode + 1) return TriviaProblem::EmptyQuestion;
    if (strLine.find('|', nQuestionEnd + 1) == std::string_view::npos) {
        return TriviaProblem::AnswerNotClosed;
    }
    return std::nullopt;
}

}  // namespace

std::vector<TriviaFinding> CheckTriviaText(std::string_view strPlain) {
    std::vector<TriviaFinding> findings;
    int nLine = 0;
    for (const std::string_view strLine : SplitTriviaLines(strPlain)) {
        ++nLine;
        if (nLine > kTriviaMaxLines) {
            findings.push_back({nLine, TriviaProblem::BeyondTable});
        } else if (const auto problem = CheckEntry(strLine)) {
            findings.push_back({nLine, *problem});
        }
    }
    return findings;
}

std::string CountOfEntries(std::size_t nEntries) {
    return std::to_string(nEntries) + (nEntries == 1 ? " entry" : " entries");
}

std::string_view DescribeTriviaProblem(TriviaProblem problem) {
    switch (problem) {
        case TriviaProblem::NoSeparator:
            return "no \"|\" separator: question and answer would show empty";
        case TriviaProblem::CodeNotThreeBytes:
            return "the code after the first \"|\" is not 3 bytes followed by \"|\": "
                   "the question would start in the wrong place";
        case TriviaProblem::QuestionNotClosed:
            return "the question is not closed by \"|\": question and answer would show empty";
        case TriviaProblem::EmptyQuestion:
            return "the question is empty";
        case TriviaProblem::AnswerNotClosed:
            return "the answer is not closed by \"|\": it would never be revealed";
        case TriviaProblem::BeyondTable:
            return "beyond the 4999 entries Brisaloo holds: it would never show";
    }
    return "unknown problem";
}
