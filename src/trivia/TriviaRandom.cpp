// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaRandom.h"

void StdTriviaRandom::Seed(unsigned nSeed) {
    m_engine.seed(nSeed);
}

int StdTriviaRandom::Next() {
    return static_cast<int>(m_engine() >> 17);
}
