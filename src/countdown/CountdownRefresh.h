// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "countdown/CTime.h"
#include "countdown/CTimeSpan.h"

// The seven numbers of the countdown; the window maps each to its control.
enum class CountdownField { Days, Hours, Minutes, Seconds, TotalHours, TotalMinutes, TotalSeconds };
inline constexpr std::size_t kCountdownFieldCount = 7;

// A timer refresh writes what changed; a full one (on Setup's OK) writes all.
enum class RefreshMode { ChangedOnly, All };

// One countdown field to rewrite: the field and the signed value it shows.
struct FieldWrite {
    CountdownField field = CountdownField::Days;
    std::int64_t nValue = 0;
    bool operator==(const FieldWrite&) const = default;
};

// What one refresh writes, in order. Fixed size: the 500 ms tick allocates nothing.
struct RefreshPlan {
    std::array<FieldWrite, kCountdownFieldCount> writes{};
    std::size_t count = 0;
    bool bCaption = false;  // the window title and the tray tip are rewritten

    void Add(CountdownField field, std::int64_t nValue) { writes[count++] = {field, nValue}; }
    const FieldWrite* begin() const { return writes.data(); }
    const FieldWrite* end() const { return writes.data() + count; }
};

// Decides which countdown fields a refresh rewrites. It remembers what the
// window last showed, and a timer refresh rewrites a field (and the title and
// tip) exactly when its value differs from that. While the span falls by one
// second per tick this is the rollover rhythm: seconds every second, minutes
// and the caption once a minute, hours once an hour, days once a day. Unlike a
// rule keyed on "seconds read 59", it also stays right after the arrival and
// after a rollover second that no tick saw (a suspended laptop).
class CountdownRefresh {
public:
    // Seconds, total seconds, minutes, total minutes, hours, total hours,
    // days: each when due, all of them for RefreshMode::All.
    RefreshPlan Plan(RefreshMode mode, const CTimeSpan& span);

    // The first countdown of the window: all seven fields in the order days,
    // hours, minutes, seconds, total hours, total minutes, total seconds.
    RefreshPlan PlanInitial(const CTimeSpan& span);

    // The arrival text for this moment; reformatted only when the moment moves.
    const std::string& ArrivalText(const CTime& arrival);
    // True when the arrival text differs from the one last written (or bAll),
    // and remembers it as written.
    bool ArrivalTextDue(const std::string& strText, bool bAll);

private:
    void WriteIfDue(RefreshPlan& plan, CountdownField field, std::int64_t nValue, bool bAll);

    std::array<std::optional<std::int64_t>, kCountdownFieldCount> m_lastWritten{};
    std::optional<std::array<std::int64_t, 3>> m_lastCaption;
    std::optional<CTime> m_arrivalFormatted;
    std::string m_strArrivalText;
    std::optional<std::string> m_lastArrivalWritten;
};
