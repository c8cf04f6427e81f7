// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "qt/QtDialogView.h"

class AddNoteForm;

// The Add a Note dialog, built from its template: "Add" hands the fields to
// the form (AddNoteForm), which keeps the new note for whoever ran it.
class CAddNoteDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAddNoteDlg(AddNoteForm& form, QWidget* parent = nullptr);

    void accept() override;  // "Add"

private:
    AddNoteForm& m_form;
    QtDialogView m_view{*this};
};
