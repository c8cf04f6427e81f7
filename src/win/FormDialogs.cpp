// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/FormDialogs.h"

#include "app/AddNoteForm.h"
#include "app/DialogTemplates.h"
#include "app/NotesScreen.h"
#include "app/SetupForm.h"

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

CommandBinding Clicked(int nId, std::function<void(DialogWindow&)> handler) {
    return {nId, BN_CLICKED, std::move(handler)};
}

CommandBinding EndsWith(int nId) {
    return Clicked(nId, [nId](DialogWindow& dialog) { dialog.End(nId); });
}

int RunDialog(HWND hOwner, const DialogTemplate& dialog, DialogEventTable& events) {
    DialogWindow window(dialog, &events);
    return window.RunModal(hOwner);
}

}  // namespace

bool RunSetupDialog(HWND hOwner, SetupForm& form, IUserMessages& messages) {
    DialogEventTable events([&form](DialogWindow& dialog) { form.OnInitDialog(dialog.View()); },
                            {Clicked(IDOK,
                                     [&form, &messages](DialogWindow& dialog) {
                                         // A refused field keeps the dialog open with that field
                                         // focused.
                                         if (form.OnOK(dialog.View(), messages)) dialog.End(IDOK);
                                     }),
                             EndsWith(IDCANCEL)});
    return RunDialog(hOwner, SetupDialogTemplate(), events) == IDOK;
}

void RunNotesDialog(HWND hOwner, NotesScreen& notes) {
    const auto select = [&notes](DialogWindow&) { notes.OnSelectNote(); };
    DialogEventTable events(
        [&notes](DialogWindow& dialog) { notes.OnInitDialog(dialog.View()); },
        {{IDC_NOTE_LIST, LBN_SELCHANGE, select},
         {IDC_NOTE_LIST, LBN_DBLCLK, select},
         {IDC_NOTE_BODY, EN_CHANGE, [&notes](DialogWindow&) { notes.OnChangeNoteBody(); }},
         Clicked(IDC_NOTE_ADD, [&notes](DialogWindow&) { notes.OnAddNote(); }),
         Clicked(IDC_NOTE_DELETE, [&notes](DialogWindow&) { notes.OnDeleteNote(); }),
         Clicked(IDOK,
                 [&notes](DialogWindow& dialog) {
                     notes.OnClose();  // the pending edit is kept
                     dialog.End(IDOK);
                 }),
         Clicked(IDCANCEL, [&notes](DialogWindow& dialog) {
             notes.OnCancel();  // Escape and the close box drop it
             dialog.End(IDCANCEL);
         })});
    RunDialog(hOwner, NotesDialogTemplate(), events);
    // Ended from outside (the session ends): the screen lets go of the dialog.
    notes.OnCancel();
}

bool RunAddNoteDialog(HWND hOwner, AddNoteForm& form) {
    DialogEventTable events(nullptr, {Clicked(IDOK,
                                              [&form](DialogWindow& dialog) {
                                                  form.OnOK(dialog.View());
                                                  dialog.End(IDOK);
                                              }),
                                      EndsWith(IDCANCEL)});
    return RunDialog(hOwner, AddNoteDialogTemplate(), events) == IDOK;
}

void RunAboutDialog(HWND hOwner) {
    DialogEventTable events(nullptr, {EndsWith(IDOK), EndsWith(IDCANCEL)});
    RunDialog(hOwner, AboutDialogTemplate(), events);
}
