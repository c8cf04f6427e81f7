// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CSetupDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/ProfileSettings.h"
#include "qt/ControlTemplate.h"
#include "qt/DialogUnits.h"
#include "qt/UserMessages.h"

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

}  // namespace

CSetupDlg::CSetupDlg(const Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    const DialogTemplate& dialog = SetupDialogTemplate();
    setWindowTitle(QString::fromUtf8(dialog.pszCaption));
    const DialogUnits units(font());
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, units, *this);
        if (control.nId == 1)
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &CSetupDlg::accept);
        if (control.nId == 2)
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &CSetupDlg::reject);
    }
    m_pHideStart = findChild<QCheckBox*>(QStringLiteral("IDC_SETUP_HIDESTART"));
    setFixedSize(units.Size(dialog.cx, dialog.cy));
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
