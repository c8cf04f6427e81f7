// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaCodec.h"

#include <algorithm>

#include "trivia/TriviaTable.h"

void EncodeTriviaBytes(std::span<char> bytes) {
    for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) + kTriviaShift);
}

void DecodeTriviaBytes(std::span<char> bytes) {
    // Unsigned arithmetic wraps: a stored byte below the shift comes out near the top.
    for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) - kTriviaShift);
}

std::string PackTrivia(std::string_view strPlain) {
    std::string strStored(strPlain);
    EncodeTriviaBytes(strStored);
    return strStored;
}

std::string UnpackTrivia(std::string_view strStored) {
    std::string strPlain(strStored);
    DecodeTriviaBytes(strPlain);
    return strPlain;
}

bool LooksPacked(std::string_view bytes) {
    constexpr char kPackedSeparator = static_cast<char>('|' + kTriviaShift);
    const auto nPlain = std::count(bytes.begin(), bytes.end(), '|');
    const auto nPacked = std::count(bytes.begin(), bytes.end(), kPackedSeparator);
    return nPacked > nPlain;
}

std::vector<std::string_view> SplitTriviaLines(std::string_view strText) {
    std::vector<std::string_view> lines;
    ForEachTriviaLine(strText, [&lines](std::string_view strLine) { lines.push_back(strLine); });
    return lines;
}
