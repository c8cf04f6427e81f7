// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A signed span of whole seconds: the countdown is arrival minus now. Parts and
// totals divide with truncation toward zero, so after the arrival every part is
// negative or zero, never a mix of signs.
class CTimeSpan {
public:
    constexpr CTimeSpan() = default;
    constexpr explicit CTimeSpan(std::int64_t seconds) : m_seconds(seconds) {}

    constexpr std::int64_t GetTotalSeconds() const { return m_seconds; }
    constexpr std::int64_t GetTotalMinutes() const { return m_seconds / 60; }
    constexpr std::int64_t GetTotalHours() const { return m_seconds / 3600; }
    constexpr std::int64_t GetDays() const { return m_seconds / 86400; }
    constexpr std::int64_t GetHours() const { return GetTotalHours() - 24 * GetDays(); }
    constexpr std::int64_t GetMinutes() const { return GetTotalMinutes() - 60 * GetTotalHours(); }
    constexpr std::int64_t GetSeconds() const { return GetTotalSeconds() - 60 * GetTotalMinutes(); }

    constexpr bool operator==(const CTimeSpan&) const = default;

private:
    std::int64_t m_seconds = 0;
};
