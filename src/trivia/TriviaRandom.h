// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The draws of the trivia pick: whole numbers from 0 to 32767. The rotation
// seeds it from the clock before every pick; tests script the draws.
class ITriviaRandom {
public:
    virtual ~ITriviaRandom() = default;
    virtual void Seed(unsigned nSeed) = 0;
    virtual int Next() = 0;
};

inline constexpr int kTriviaRandomMax = 32767;

// SplitMix64 narrowed to its top 15 bits. The range matters: a pick throws
// away draws outside the table, so it needs about 32768 / entries draws. Its
// eight bytes of state make the seeding before every pick free, where a
// Mersenne Twister's seeding and first refill of 2.5 KB were most of a pick;
// its output mixing keeps the picks of nearby seconds apart.
class StdTriviaRandom final : public ITriviaRandom {
public:
    void Seed(unsigned nSeed) override;
    int Next() override;

private:
    std::uint64_t m_nState = 0;
};
