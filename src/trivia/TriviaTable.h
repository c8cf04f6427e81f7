// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// triv.dat stores every byte of the plain text shifted up by this amount,
// modulo 256. Trivia files made for Brisaloo must be packed with this value.
inline constexpr unsigned char kTriviaShift = 0x7D;

// The line table has 5000 slots; slot 0 is never used, so it holds 4999 entries.
inline constexpr int kTriviaSlots = 5000;
inline constexpr int kTriviaMaxLines = kTriviaSlots - 1;

// The trivia entries of one run, filled once by LoadTrivia. About 160 KB of
// string headers: it lives inside a heap object, never on the stack.
struct TriviaTable {
    std::array<std::string, kTriviaSlots> m_strTrivia;
    int m_nTriviaLines = 0;  // entries in slots 1 .. m_nTriviaLines
};
