// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaCodec.h"

#include <algorithm>

#include "trivia/TriviaTable.h"

namespace {

// Adds nDelta to every byte, modulo 256. Blocks of a fixed size let the
// compiler shift 16 bytes an instruction; the rest goes byte by byte.
void AddToEveryByte(std::span<char> bytes, unsigned char nDelta) {
    constexpr std::size_t kBlock = 32;
    char* p = bytes.data();
    std::size_t nLeft = bytes.size();
    for (; nLeft >= kBlock; nLeft -= kBlock, p += kBlock)
        for (std::size_t i = 0; i < kBlock; ++i)
            p[i] = static_cast<char>(static_cast<unsigned char>(p[i]) + nDelta);
    for (std::size_t i = 0; i < nLeft; ++i)
        p[i] = static_cast<char>(static_cast<unsigned char>(p[i]) + nDelta);
}

}  // namespace

void EncodeTriviaBytes(std::span<char> bytes) {
    AddToEveryByte(bytes, kTriviaShift);
}

void DecodeTriviaBytes(std::span<char> bytes) {
    // Unsigned arithmetic wraps: a stored byte below the shift comes out near the top.
    AddToEveryByte(bytes, static_cast<unsigned char>(256 - kTriviaShift));
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
