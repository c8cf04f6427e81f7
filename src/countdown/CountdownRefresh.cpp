// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdown/CountdownRefresh.h"

#include "countdown/CountdownTexts.h"

namespace {

// The reading of the span each field shows, in CountdownField order.
constexpr std::int64_t (CTimeSpan::*kFieldValues[kCountdownFieldCount])() const = {
    &CTimeSpan::GetDays,        &CTimeSpan::GetHours,      &CTimeSpan::GetMinutes,
    &CTimeSpan::GetSeconds,     &CTimeSpan::GetTotalHours, &CTimeSpan::GetTotalMinutes,
    &CTimeSpan::GetTotalSeconds};

std::int64_t ValueOf(CountdownField field, const CTimeSpan& span) {
    return (span.*kFieldValues[static_cast<std::size_t>(field)])();
}

}  // namespace

void CountdownRefresh::WriteIfDue(RefreshPlan& plan, CountdownField field, std::int64_t nValue,
                                  bool bAll) {
    std::optional<std::int64_t>& lastWritten = m_lastWritten[static_cast<std::size_t>(field)];
    if (bAll || lastWritten != nValue) {
        plan.Add(field, nValue);
        lastWritten = nValue;
    }
}

RefreshPlan CountdownRefresh::Plan(RefreshMode mode, const CTimeSpan& span) {
    using F = CountdownField;
    static constexpr F kTimerOrder[] = {F::Seconds, F::TotalSeconds, F::Minutes, F::TotalMinutes,
                                        F::Hours,   F::TotalHours,   F::Days};
    const bool bAll = mode == RefreshMode::All;
    RefreshPlan plan;
    for (const F field : kTimerOrder) WriteIfDue(plan, field, ValueOf(field, span), bAll);

    const std::array<std::int64_t, 3> caption{span.GetDays(), span.GetHours(), span.GetMinutes()};
    if (bAll || m_lastCaption != caption) {
        plan.bCaption = true;
        m_lastCaption = caption;
    }
    return plan;
}

RefreshPlan CountdownRefresh::PlanInitial(const CTimeSpan& span) {
    RefreshPlan plan;
    // CountdownField order: days, hours, minutes, seconds, then the totals.
    for (std::size_t i = 0; i < kCountdownFieldCount; ++i) {
        const auto field = static_cast<CountdownField>(i);
        WriteIfDue(plan, field, ValueOf(field, span), true);
    }
    plan.bCaption = true;
    m_lastCaption = {span.GetDays(), span.GetHours(), span.GetMinutes()};
    return plan;
}

const std::string& CountdownRefresh::ArrivalText(const CTime& arrival) {
    if (m_arrivalFormatted != arrival) {
        m_strArrivalText = FormatArrival(arrival);
        m_arrivalFormatted = arrival;
    }
    return m_strArrivalText;
}

bool CountdownRefresh::ArrivalTextDue(const std::string& strText, bool bAll) {
    if (!bAll && m_lastArrivalWritten == strText) return false;
    m_lastArrivalWritten = strText;
    return true;
}
