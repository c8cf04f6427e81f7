#include "countdown/RefreshRule.h"

#include "countdown/CountdownTexts.h"

void CountdownRefresh::WriteIfDue(RefreshPlan& plan, CountdownField field, std::int64_t nValue,
                                  bool bAll) {
    std::optional<std::int64_t>& lastWritten = m_lastWritten[static_cast<std::size_t>(field)];
    if (bAll || lastWritten != nValue) {
        plan.Add(field, nValue);
        lastWritten = nValue;
    }
}

RefreshPlan CountdownRefresh::Plan(RefreshMode mode, const CTimeSpan& span) {
    const bool bAll = mode == RefreshMode::All;
    RefreshPlan plan;
    WriteIfDue(plan, CountdownField::Seconds, span.GetSeconds(), bAll);
    WriteIfDue(plan, CountdownField::TotalSeconds, span.GetTotalSeconds(), bAll);
    WriteIfDue(plan, CountdownField::Minutes, span.GetMinutes(), bAll);
    WriteIfDue(plan, CountdownField::TotalMinutes, span.GetTotalMinutes(), bAll);
    WriteIfDue(plan, CountdownField::Hours, span.GetHours(), bAll);
    WriteIfDue(plan, CountdownField::TotalHours, span.GetTotalHours(), bAll);
    WriteIfDue(plan, CountdownField::Days, span.GetDays(), bAll);

    const std::array<std::int64_t, 3> caption{span.GetDays(), span.GetHours(), span.GetMinutes()};
    if (bAll || m_lastCaption != caption) {
        plan.bCaption = true;
        m_lastCaption = caption;
    }
    return plan;
}

RefreshPlan CountdownRefresh::PlanInitial(const CTimeSpan& span) {
    RefreshPlan plan;
    WriteIfDue(plan, CountdownField::Days, span.GetDays(), true);
    WriteIfDue(plan, CountdownField::Hours, span.GetHours(), true);
    WriteIfDue(plan, CountdownField::Minutes, span.GetMinutes(), true);
    WriteIfDue(plan, CountdownField::Seconds, span.GetSeconds(), true);
    WriteIfDue(plan, CountdownField::TotalHours, span.GetTotalHours(), true);
    WriteIfDue(plan, CountdownField::TotalMinutes, span.GetTotalMinutes(), true);
    WriteIfDue(plan, CountdownField::TotalSeconds, span.GetTotalSeconds(), true);
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
