#include "countdown/RefreshRule.h"

#include "countdown/ControlIds.h"
#include "countdown/CountdownTexts.h"

bool IsFullRefresh(std::string_view strMode) { return strMode == "ALL"; }

void CountdownRefresh::WriteIfDue(RefreshPlan& plan, Slot slot, int nId, std::int64_t nValue,
                                  bool bAll) {
    if (bAll || m_lastWritten[slot] != nValue) {
        plan.Add(nId, nValue);
        m_lastWritten[slot] = nValue;
    }
}

RefreshPlan CountdownRefresh::Plan(std::string_view strMode, const CTimeSpan& span) {
    const bool bAll = IsFullRefresh(strMode);
    RefreshPlan plan;
    WriteIfDue(plan, Seconds, IDC_SECONDS, span.GetSeconds(), bAll);
    WriteIfDue(plan, TotalSeconds, IDC_TOTAL_SECONDS, span.GetTotalSeconds(), bAll);
    WriteIfDue(plan, Minutes, IDC_MINUTES, span.GetMinutes(), bAll);
    WriteIfDue(plan, TotalMinutes, IDC_TOTAL_MINUTES, span.GetTotalMinutes(), bAll);
    WriteIfDue(plan, Hours, IDC_HOURS, span.GetHours(), bAll);
    WriteIfDue(plan, TotalHours, IDC_TOTAL_HOURS, span.GetTotalHours(), bAll);
    WriteIfDue(plan, Days, IDC_DAYS, span.GetDays(), bAll);

    const std::array<std::int64_t, 3> caption{span.GetDays(), span.GetHours(), span.GetMinutes()};
    if (bAll || m_lastCaption != caption) {
        plan.bCaption = true;
        m_lastCaption = caption;
    }
    return plan;
}

RefreshPlan CountdownRefresh::PlanInitial(const CTimeSpan& span) {
    RefreshPlan plan;
    WriteIfDue(plan, Days, IDC_DAYS, span.GetDays(), true);
    WriteIfDue(plan, Hours, IDC_HOURS, span.GetHours(), true);
    WriteIfDue(plan, Minutes, IDC_MINUTES, span.GetMinutes(), true);
    WriteIfDue(plan, Seconds, IDC_SECONDS, span.GetSeconds(), true);
    WriteIfDue(plan, TotalHours, IDC_TOTAL_HOURS, span.GetTotalHours(), true);
    WriteIfDue(plan, TotalMinutes, IDC_TOTAL_MINUTES, span.GetTotalMinutes(), true);
    WriteIfDue(plan, TotalSeconds, IDC_TOTAL_SECONDS, span.GetTotalSeconds(), true);
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
