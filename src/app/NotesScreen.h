// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CCountdownApp;
class IDialogView;
class IUserMessages;

// The Notes dialog's screen: lists the subjects in store order, shows the
// body of the selected note for editing, adds and deletes notes. It works on
// the application's store and saves notes.dat after every change. The view
// is the dialog from OnInitDialog until OnClose or OnCancel; events outside
// that time do nothing.
class NotesScreen {
public:
    NotesScreen(CCountdownApp& app, IUserMessages& messages);

    // Opens with every note listed, none selected, an empty body that takes
    // no typing and Delete disabled.
    void OnInitDialog(IDialogView& view);
    // The list's selection changed (or a row was double-clicked).
    void OnSelectNote();
    // The user changed the body field; changes the screen makes are ignored.
    void OnChangeNoteBody();
    void OnAddNote();
    void OnDeleteNote();
    // "Close Notes": a pending edit of the body is kept. The dialog then ends.
    void OnClose();
    // Escape or the close box: a pending edit is dropped. The dialog then ends.
    void OnCancel();

    // The end of the session or a request to terminate: a pending edit goes
    // into its note and is saved as "Close Notes" does, but without asking or
    // warning anyone (a failure goes to stderr); the dialog stays open.
    void SavePendingEdit();

private:
    void CopyPendingEdit();
    void ShowCurrentNote();
    void FillList();
    void SaveNotes();
    void EndDialog();

    CCountdownApp& m_app;
    IUserMessages& m_messages;
    IDialogView* m_pView = nullptr;

    bool m_bBodyModified = false;  // the user changed the body field since it was filled
    int m_nCurNote = -1;           // the note the body field shows; -1 before any selection
    bool m_bFillingBody = false;
    bool m_bNobodyToAsk = false;  // set while the session ends: no message boxes
};
