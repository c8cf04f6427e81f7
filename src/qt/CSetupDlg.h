// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "app/Settings.h"

class QCheckBox;
class QLineEdit;

// The Setup dialog: arrival date and time, trivia interval, hide on start-up.
// It edits a copy of the settings it is given; OK checks every field and
// keeps the dialog open on the first one that is not a whole number in its
// range, and after OK m_settings holds the values to hand back.
class CSetupDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(const Settings& settings, QWidget* parent = nullptr);

    void accept() override;  // OK

    Settings m_settings;

private:
    void OnInitDialog();
    // Moves the members into the controls, or (bSave) the controls into the
    // members with validation; false when a field was refused.
    bool UpdateData(bool bSave);
    QLineEdit* Field(int nId) const;

    QCheckBox* m_pHideStart = nullptr;
};
