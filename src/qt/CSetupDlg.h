// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

#include "app/Settings.h"
#include "qt/QtDialogView.h"
#include "qt/QtUserMessages.h"

class SetupForm;

// The Setup dialog, built from its template; its form (SetupForm) decides.
// OK keeps the dialog open on a refused field; after OK the form's settings
// hold the values to hand back.
class CSetupDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(const Settings& settings, QWidget* parent = nullptr);
    explicit CSetupDlg(SetupForm& form, QWidget* parent = nullptr);
    ~CSetupDlg() override;

    void accept() override;  // OK

    const Settings& FormSettings() const;

private:
    // With pOwnForm, the dialog owns its form; otherwise it edits *pForm.
    CSetupDlg(std::unique_ptr<SetupForm> pOwnForm, SetupForm* pForm, QWidget* parent);

    std::unique_ptr<SetupForm> m_pOwnForm;
    SetupForm& m_form;
    QtDialogView m_view{*this};
    QtUserMessages m_messages{this};
};
