// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The scramble of triv.dat: stored byte = plain byte + kTriviaShift, modulo 256.
void EncodeTriviaBytes(std::span<char> bytes);
void DecodeTriviaBytes(std::span<char> bytes);
std::string PackTrivia(std::string_view strPlain);
std::string UnpackTrivia(std::string_view strStored);

// True when the bytes read as a packed file hold more separators than read as
// plain text. Plain text holds "|" in every entry; packed, "|" becomes 0xF9,
// a byte that UTF-8 text never holds.
bool LooksPacked(std::string_view bytes);

// Calls onLine(std::string_view) for each line of plain trivia text, in order:
// a line ends at LF, which is not part of it; a CR before the LF stays in the
// line; a last line without LF still counts; an empty line counts. Empty text
// has no lines. The views point into strText.
template <class OnLine>
void ForEachTriviaLine(std::string_view strText, OnLine&& onLine) {
    std::size_t nStart = 0;
    while (nStart < strText.size()) {
        const std::size_t nEnd = strText.find('\n', nStart);
        if (nEnd == std::string_view::npos) {
            onLine(strText.substr(nStart));
            return;
        }
        onLine(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

// The lines of plain trivia text, by the rules of ForEachTriviaLine.
std::vector<std::string_view> SplitTriviaLines(std::string_view strText);
