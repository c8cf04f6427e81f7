// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/FormDialogs.h"

void DialogEventTable::OnInitDialog(DialogWindow& dialog) {
    if (m_onInit) m_onInit(dialog);
}

void DialogEventTable::OnCommand(DialogWindow& dialog, int nId, int nNotifyCode) {
    for (const CommandBinding& binding : m_commands) {
        if (binding.nId == nId && binding.nNotifyCode == nNotifyCode) {
            binding.handler(dialog);
            return;
        }
    }
}

namespace {

CommandBinding EndsWith(int nId) {
    return {nId, BN_CLICKED, [nId](DialogWindow& dialog) { dialog.End(nId); }};
}

// Runs a dialog that its buttons only close. The forms' dialogs run so until
// the forms are bound to them:
//   Setup       init: form fills the view; IDOK: the form checks the view and
//               ends the dialog with IDOK, or focuses the refused field;
//               IDCANCEL: ends.
//   Notes       init: the notes fill the list; IDC_NOTE_LIST LBN_SELCHANGE:
//               select; IDC_NOTE_ADD: add; IDC_NOTE_DELETE: delete; IDOK and
//               IDCANCEL: close (the pending edit is kept), then end.
//   Add a Note  IDOK: the form takes subject and body and ends with IDOK, or
//               refuses; IDCANCEL: ends.
int RunClosingDialog(HWND hOwner, const DialogTemplate& dialog) {
    DialogEventTable events(nullptr, {EndsWith(IDOK), EndsWith(IDCANCEL)});
    DialogWindow window(dialog, &events);
    return window.RunModal(hOwner);
}

}  // namespace

bool RunSetupDialog(HWND hOwner, SetupForm&) {
    RunClosingDialog(hOwner, SetupDialogTemplate());
    return false;  // no settings were taken
}

void RunNotesDialog(HWND hOwner, NotesScreen&) {
    RunClosingDialog(hOwner, NotesDialogTemplate());
}

bool RunAddNoteDialog(HWND hOwner, AddNoteForm&) {
    RunClosingDialog(hOwner, AddNoteDialogTemplate());
    return false;  // no note was taken
}

void RunAboutDialog(HWND hOwner) {
    RunClosingDialog(hOwner, AboutDialogTemplate());
}
