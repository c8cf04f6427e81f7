// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <random>

// The draws of the trivia pick: whole numbers from 0 to 32767. The rotation
// seeds it from the clock before every pick; tests script the draws.
class ITriviaRandom {
public:
    virtual ~ITriviaRandom() = default;
    virtual void Seed(unsigned nSeed) = 0;
    virtual int Next() = 0;
};

inline constexpr int kTriviaRandomMax = 32767;

// A Mersenne Twister narrowed to its top 15 bits. The range matters: a pick
// throws away draws outside the table, so it needs about 32768 / entries draws.
class StdTriviaRandom final : public ITriviaRandom {
public:
    void Seed(unsigned nSeed) override;
    int Next() override;

private:
    std::mt19937 m_engine;
};
