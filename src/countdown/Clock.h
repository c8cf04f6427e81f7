// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>

// Where "now" comes from. The program asks the system; tests hand in a fixed
// moment so that every countdown they check is exact.
class IClock {
public:
    virtual ~IClock() = default;
    // The current calendar time in whole seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t Now() const = 0;
};

class SystemClock final : public IClock {
public:
    // hot: read on every tick (CountdownScreen::OnTimer)
    [[gnu::hot]] std::int64_t Now() const override {
        return static_cast<std::int64_t>(std::time(nullptr));
    }
};

// A clock that stands still until told otherwise.
class FixedClock final : public IClock {
public:
    explicit FixedClock(std::int64_t now = 0) : m_now(now) {}
    std::int64_t Now() const override { return m_now; }
    void Set(std::int64_t now) { m_now = now; }
    void Advance(std::int64_t seconds) { m_now += seconds; }

private:
    std::int64_t m_now;
};
