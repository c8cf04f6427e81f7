// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class AddNoteForm;

// What a form in the core (SetupForm, NotesScreen, AddNoteForm) needs of the
// dialog a shell built from its template: read and write controls by id.
// Texts are UTF-8. A multi-line edit is given lines separated by CR LF (the
// shell shows each as a line break) and hands back its text as it holds it,
// whatever its line breaks: the core converts them (FieldTextToNote).
// Setting a text may or may not be reported as a change; the forms ignore
// changes they made themselves.
class IDialogView {
public:
    virtual ~IDialogView() = default;

    virtual void SetItemText(int nId, const std::string& strText) = 0;
    virtual std::string GetItemText(int nId) = 0;
    virtual void SetChecked(int nId, bool bChecked) = 0;
    virtual bool IsChecked(int nId) = 0;
    virtual void EnableItem(int nId, bool bEnable) = 0;
    virtual void SetReadOnly(int nId, bool bReadOnly) = 0;
    // Gives the control the focus and selects all its text (a refused field).
    virtual void FocusAndSelectAll(int nId) = 0;

    // A list box: its rows replaced, one row inserted at an index, the
    // selected row (-1: none). Programmatic changes send no notifications.
    virtual void ResetList(int nId, const std::vector<std::string>& rows) = 0;
    virtual void InsertListRow(int nId, int nIndex, const std::string& strRow) = 0;
    virtual void SetListSelection(int nId, int nIndex) = 0;
    virtual int GetListSelection(int nId) = 0;

    // Runs Add a Note over this dialog; true when the user chose Add, and
    // the form holds the new note.
    virtual bool RunAddNoteDialog(AddNoteForm& form) = 0;
};
