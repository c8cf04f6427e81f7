// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CAddNoteDlg.h"

#include <QPushButton>

#include "app/AddNoteForm.h"
#include "app/DialogTemplates.h"

CAddNoteDlg::CAddNoteDlg(AddNoteForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    BuildDialogFromTemplate(*this, AddNoteDialogTemplate());
    connect(static_cast<QPushButton*>(DialogItem(*this, IDOK)), &QPushButton::clicked, this,
            &CAddNoteDlg::accept);
    connect(static_cast<QPushButton*>(DialogItem(*this, IDCANCEL)), &QPushButton::clicked, this,
            &CAddNoteDlg::reject);
}

void CAddNoteDlg::accept() {
    m_form.OnOK(m_view);
    QDialog::accept();
}
