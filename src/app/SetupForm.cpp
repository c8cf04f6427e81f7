// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SetupForm.h"

#include "app/DialogTemplates.h"
#include "app/DialogView.h"
#include "app/ProfileSettings.h"
#include "app/UserMessages.h"

namespace {

// The years Setup accepts for the arrival.
constexpr int kSetupYearMin = 1996;
constexpr int kSetupYearMax = 2035;

// The integer fields in the order OK reads and checks them, with their bounds.
struct SetupField {
    int nId;
    int Settings::*pMember;
    int nMin;
    int nMax;
    const char* pszWhat;
};
const SetupField kExchangeOrder[] = {
    {IDC_SETUP_DAY, &Settings::nDay, 1, 31, "The day"},
    {IDC_SETUP_HOUR, &Settings::nHour, 0, 24, "The hour"},
    {IDC_SETUP_MINUTE, &Settings::nMinute, 0, 60, "The minute"},
    {IDC_SETUP_MONTH, &Settings::nMonth, 1, 12, "The month"},
    {IDC_SETUP_YEAR, &Settings::nYear, kSetupYearMin, kSetupYearMax, "The year"},
    {IDC_SETUP_TRIVTIME, &Settings::nTrivTime, 1, 18000, "The trivia interval"},
};

std::string RangeMessage(const SetupField& field) {
    return std::string(field.pszWhat) + " must be a whole number from " +
           std::to_string(field.nMin) + " to " + std::to_string(field.nMax) + ".";
}

}  // namespace

SetupFieldsResult ReadSetupFields(const Settings& settings,
                                  const std::function<std::string(int nId)>& fieldText,
                                  bool bHideStart) {
    Settings read = settings;
    read.bHideStart = bHideStart;
    for (const SetupField& field : kExchangeOrder) {
        const auto value = ParseProfileInt(fieldText(field.nId));
        if (!value || *value < field.nMin || *value > field.nMax)
            return {std::nullopt, field.nId, RangeMessage(field)};
        read.*field.pMember = *value;
    }
    return {read, -1, {}};
}

SetupForm::SetupForm(const Settings& settings) : m_settings(settings) {}

void SetupForm::OnInitDialog(IDialogView& view) {
    for (const SetupField& field : kExchangeOrder)
        view.SetItemText(field.nId, std::to_string(m_settings.*field.pMember));
    view.SetChecked(IDC_SETUP_HIDESTART, m_settings.bHideStart);
}

bool SetupForm::OnOK(IDialogView& view, IUserMessages& messages) {
    const SetupFieldsResult result = ReadSetupFields(
        m_settings, [&view](int nId) { return view.GetItemText(nId); },
        view.IsChecked(IDC_SETUP_HIDESTART));
    if (!result.settings) {
        messages.Warn(result.strMessage);
        view.FocusAndSelectAll(result.nRefusedId);
        return false;
    }
    m_settings = *result.settings;
    return true;
}
