// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NotesScreen.h"

#include <vector>

#include "app/AddNoteForm.h"
#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/DialogView.h"
#include "app/UserMessages.h"
#include "files/TextSink.h"

NotesScreen::NotesScreen(CCountdownApp& app, IUserMessages& messages)
    : m_app(app), m_messages(messages) {}

void NotesScreen::OnInitDialog(IDialogView& view) {
    m_pView = &view;
    m_nCurNote = -1;
    m_bBodyModified = false;
    FillList();
    ShowCurrentNote();
}

// Row i shows the subject of note i.
void NotesScreen::FillList() {
    const NotesStore& notes = m_app.m_notes;
    std::vector<std::string> rows(notes.m_strSubject.begin(),
                                  notes.m_strSubject.begin() + (notes.m_nLastNote + 1));
    m_pView->ResetList(IDC_NOTE_LIST, rows);
}

// The body field shows the current note; with none it is empty and takes no
// typing, so nothing typed can belong to no note.
void NotesScreen::ShowCurrentNote() {
    const bool bHasNote = m_nCurNote >= 0 && m_nCurNote <= m_app.m_notes.m_nLastNote;
    m_bFillingBody = true;
    m_pView->SetItemText(IDC_NOTE_BODY, bHasNote ? m_app.m_notes.m_strBody[m_nCurNote] : "");
    m_bFillingBody = false;
    m_pView->SetReadOnly(IDC_NOTE_BODY, !bHasNote);
    m_pView->EnableItem(IDC_NOTE_DELETE, m_pView->GetListSelection(IDC_NOTE_LIST) >= 0);
}

void NotesScreen::OnChangeNoteBody() {
    if (m_pView && !m_bFillingBody) m_bBodyModified = true;
}

void NotesScreen::CopyPendingEdit() {
    if (!m_bBodyModified || !m_pView) return;
    m_bBodyModified = false;
    const std::string strBody = FieldTextToNote(m_pView->GetItemText(IDC_NOTE_BODY));
    if (UpdateNoteBody(m_app.m_notes, m_nCurNote, strBody)) SaveNotes();
}

void NotesScreen::OnSelectNote() {
    if (!m_pView) return;
    CopyPendingEdit();
    m_nCurNote = m_pView->GetListSelection(IDC_NOTE_LIST);
    ShowCurrentNote();
}

void NotesScreen::SavePendingEdit() {
    m_bNobodyToAsk = true;
    CopyPendingEdit();
    m_bNobodyToAsk = false;
}

void NotesScreen::OnClose() {
    CopyPendingEdit();
    EndDialog();
}

void NotesScreen::OnCancel() {
    EndDialog();
}

// The screen outlives its dialog: what the dialog held ends with it.
void NotesScreen::EndDialog() {
    m_pView = nullptr;
    m_bBodyModified = false;
    m_nCurNote = -1;
}

void NotesScreen::OnAddNote() {
    if (!m_pView) return;
    NotesStore& notes = m_app.m_notes;
    if (!CanAddNote(notes)) {
        m_messages.Warn(FullStoreMessage());
        return;
    }
    AddNoteForm form;
    if (!m_pView->RunAddNoteDialog(form) ||
        !AddNote(notes, std::move(form.m_strNoteSubject), std::move(form.m_strNoteBody)))
        return;
    const int n = notes.m_nLastNote;
    m_pView->InsertListRow(IDC_NOTE_LIST, n, notes.m_strSubject[n]);
    SaveNotes();
}

void NotesScreen::OnDeleteNote() {
    if (!m_pView) return;
    const int k = m_pView->GetListSelection(IDC_NOTE_LIST);
    if (k < 0) return;
    if (!m_messages.AskYesNo("Are you sure you want to delete this note?")) return;
    const int nCurrent = DeleteNote(m_app.m_notes, k);
    SaveNotes();

    // The edit of the deleted note, if any, goes with it; note 0 becomes current.
    FillList();
    m_nCurNote = nCurrent;
    if (m_nCurNote == 0) m_pView->SetListSelection(IDC_NOTE_LIST, 0);
    ShowCurrentNote();
    m_bBodyModified = false;
}

// A failed save keeps the notes in memory and tells the user. A file that
// could not be read at start-up is replaced only when the user agrees.
void NotesScreen::SaveNotes() {
    if (m_bNobodyToAsk) {
        // A file that could not be read stays as it is; a failure goes to the log.
        const NotesResult result = m_app.SaveNotes();
        if (result.status == NotesResult::Status::kFailed)
            StandardError() << result.strMessage << '\n';
        return;
    }
    const NotesResult result = m_app.SaveNotes(
        [this](const std::string& strQuestion) { return m_messages.AskYesNo(strQuestion); });
    if (result.status == NotesResult::Status::kFailed) m_messages.Warn(result.strMessage);
}
