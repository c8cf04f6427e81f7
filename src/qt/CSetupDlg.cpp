// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CSetupDlg.h"

#include <QPushButton>

#include "app/DialogTemplates.h"
#include "app/SetupForm.h"

CSetupDlg::CSetupDlg(const Settings& settings, QWidget* parent)
    : CSetupDlg(std::make_unique<SetupForm>(settings), nullptr, parent) {}

CSetupDlg::CSetupDlg(SetupForm& form, QWidget* parent) : CSetupDlg(nullptr, &form, parent) {}

CSetupDlg::CSetupDlg(std::unique_ptr<SetupForm> pOwnForm, SetupForm* pForm, QWidget* parent)
    : QDialog(parent), m_pOwnForm(std::move(pOwnForm)), m_form(pForm ? *pForm : *m_pOwnForm) {
    BuildDialogFromTemplate(*this, SetupDialogTemplate());
    connect(static_cast<QPushButton*>(DialogItem(*this, IDOK)), &QPushButton::clicked, this,
            &CSetupDlg::accept);
    connect(static_cast<QPushButton*>(DialogItem(*this, IDCANCEL)), &QPushButton::clicked, this,
            &CSetupDlg::reject);
    m_form.OnInitDialog(m_view);
}

CSetupDlg::~CSetupDlg() = default;

const Settings& CSetupDlg::FormSettings() const {
    return m_form.m_settings;
}

void CSetupDlg::accept() {
    if (!m_form.OnOK(m_view, m_messages)) return;
    QDialog::accept();
}
