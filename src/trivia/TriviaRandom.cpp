// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaRandom.h"

void StdTriviaRandom::Seed(unsigned nSeed) {
    m_nState = nSeed;
}

int StdTriviaRandom::Next() {
    std::uint64_t n = (m_nState += 0x9E3779B97F4A7C15u);
    n = (n ^ (n >> 30)) * 0xBF58476D1CE4E5B9u;
    n = (n ^ (n >> 27)) * 0x94D049BB133111EBu;
    return static_cast<int>((n ^ (n >> 31)) >> 49);
}
