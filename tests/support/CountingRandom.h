// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trivia/TriviaRandom.h"

// Draws 1, 2, 3, ... so that picks walk through the trivia table in order.
class CountingRandom final : public ITriviaRandom {
public:
    void Seed(unsigned) override {}
    int Next() override { return ++m_nNext; }

private:
    int m_nNext = 0;
};
