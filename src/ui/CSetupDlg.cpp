// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CSetupDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/ProfileSettings.h"
#include "ui/ControlTemplate.h"
#include "ui/DialogUnits.h"
#include "ui/UserMessages.h"

namespace {

enum : int {
    IDC_SETUP_MONTH = 1010,
    IDC_SETUP_YEAR = 1011,
    IDC_SETUP_HOUR = 1012,
    IDC_SETUP_MINUTE = 1013,
    IDC_SETUP_DAY = 1015,
    IDC_SETUP_TRIVTIME = 1018,
    IDC_SETUP_HIDESTART = 1019,
};

using C = ControlTemplate;
// Template order, which is the tab order. The note on military time has a line
// of its own below the buttons, and the rows under it moved down to make room.
const ControlTemplate kSetupControls[] = {
    {IDC_SETUP_MONTH, "IDC_SETUP_MONTH", C::EditField, "", 0, 10, 20, 14, "Month"},
    {IDC_SETUP_DAY, "IDC_SETUP_DAY", C::EditField, "", 25, 10, 20, 14, "Day"},
    {IDC_SETUP_YEAR, "IDC_SETUP_YEAR", C::EditField, "", 50, 10, 40, 14, "Year"},
    {IDC_SETUP_HOUR, "IDC_SETUP_HOUR", C::EditField, "", 95, 10, 20, 14, "Hour:"},
    {IDC_SETUP_MINUTE, "IDC_SETUP_MINUTE", C::EditField, "", 121, 10, 20, 14, "Minute"},
    {IDC_SETUP_TRIVTIME, "IDC_SETUP_TRIVTIME", C::EditField, "", 80, 46, 40, 14,
     "Update Trivia every:"},
    {IDC_SETUP_HIDESTART, "IDC_SETUP_HIDESTART", C::CheckBox, "Hide on startup?", 0, 66, 68, 10,
     "Hide on startup?"},
    {1, "IDOK", C::DefaultButton, "OK", 190, 0, 50, 14, nullptr},
    {2, "IDCANCEL", C::PushButton, "Cancel", 190, 15, 50, 14, nullptr},
    {-1, nullptr, C::Label, "Month", 0, 0, 21, 8, nullptr},
    {-1, nullptr, C::Label, "Year", 50, 0, 16, 8, nullptr},
    {-1, nullptr, C::Label, "Hour:", 95, 0, 18, 8, nullptr},
    {-1, nullptr, C::Label, "Minute", 121, 0, 22, 8, nullptr},
    {-1, nullptr, C::Label, "Day", 25, 0, 14, 8, nullptr},
    {-1, nullptr, C::Label, "Note: Time must be in military time (ex: 23:15 is 11:15pm)", 0, 33,
     240, 8, nullptr},
    {-1, nullptr, C::Label, "Update Trivia every:", 0, 49, 75, 8, nullptr},
    {-1, nullptr, C::Label, "Seconds", 125, 49, 35, 8, nullptr},
};
// The controls keep this distance from the dialog's edges, in dialog units.
constexpr int kMargin = 7;

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

}  // namespace

CSetupDlg::CSetupDlg(const Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(QStringLiteral("Brisaloo Setup"));
    const DialogUnits units(font());
    for (ControlTemplate control : kSetupControls) {
        control.x += kMargin;
        control.y += kMargin;
        QWidget* widget = CreateControl(control, units, *this);
        if (control.nId == 1)
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &CSetupDlg::accept);
        if (control.nId == 2)
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &CSetupDlg::reject);
    }
    m_pHideStart = findChild<QCheckBox*>(QStringLiteral("IDC_SETUP_HIDESTART"));
    setFixedSize(units.Size(240 + 2 * kMargin, 76 + 2 * kMargin));
    OnInitDialog();
}

QLineEdit* CSetupDlg::Field(int nId) const {
    for (QLineEdit* field : findChildren<QLineEdit*>())
        if (ControlId(*field) == nId) return field;
    return nullptr;
}

void CSetupDlg::OnInitDialog() { UpdateData(false); }

bool CSetupDlg::UpdateData(bool bSave) {
    if (!bSave) {
        for (const SetupField& field : kExchangeOrder)
            Field(field.nId)->setText(QString::number(m_settings.*field.pMember));
        m_pHideStart->setChecked(m_settings.bHideStart);
        return true;
    }
    for (const SetupField& field : kExchangeOrder) {
        if (field.nId == IDC_SETUP_TRIVTIME) m_settings.bHideStart = m_pHideStart->isChecked();
        QLineEdit* edit = Field(field.nId);
        const auto value = ParseProfileInt(edit->text().toStdString());
        if (!value || *value < field.nMin || *value > field.nMax) {
            UserMessages::Warn(this, QStringLiteral("%1 must be a whole number from %2 to %3.")
                                         .arg(QLatin1String(field.pszWhat))
                                         .arg(field.nMin)
                                         .arg(field.nMax));
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        m_settings.*field.pMember = *value;
    }
    return true;
}

void CSetupDlg::accept() {
    if (UpdateData(true)) QDialog::accept();
}
