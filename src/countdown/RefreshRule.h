#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "countdown/CTime.h"
#include "countdown/CTimeSpan.h"

// One countdown field to rewrite: the control and the signed value it shows.
struct FieldWrite {
    int nId = 0;
    std::int64_t nValue = 0;
    bool operator==(const FieldWrite&) const = default;
};

// What one refresh writes, in order. Fixed size: the 500 ms tick allocates nothing.
struct RefreshPlan {
    std::array<FieldWrite, 7> writes{};
    std::size_t count = 0;
    bool bCaption = false;  // the window title and the tray tip are rewritten

    void Add(int nId, std::int64_t nValue) { writes[count++] = {nId, nValue}; }
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
    // "ALL" (compared exactly) writes everything; any other mode writes what changed.
    RefreshPlan Plan(std::string_view strMode, const CTimeSpan& span);

    // The first countdown of the window: all seven fields in the order days,
    // hours, minutes, seconds, total hours, total minutes, total seconds.
    RefreshPlan PlanInitial(const CTimeSpan& span);

    // The arrival text for this moment; reformatted only when the moment moves.
    const std::string& ArrivalText(const CTime& arrival);
    // True when the arrival text differs from the one last written (or bAll),
    // and remembers it as written.
    bool ArrivalTextDue(const std::string& strText, bool bAll);

private:
    enum Slot { Seconds, TotalSeconds, Minutes, TotalMinutes, Hours, TotalHours, Days, SlotCount };
    void WriteIfDue(RefreshPlan& plan, Slot slot, int nId, std::int64_t nValue, bool bAll);

    std::array<std::optional<std::int64_t>, SlotCount> m_lastWritten{};
    std::optional<std::array<std::int64_t, 3>> m_lastCaption;
    std::optional<CTime> m_arrivalFormatted;
    std::string m_strArrivalText;
    std::optional<std::string> m_lastArrivalWritten;
};

bool IsFullRefresh(std::string_view strMode);
