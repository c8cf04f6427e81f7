// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NestedDialogs.h"

#include "app/MainView.h"
#include "app/NotesScreen.h"

NestedDialogs::Scope::Scope(NestedDialogs& dialogs, NestedDialog dialog, NotesScreen* pNotes)
    : m_dialogs(dialogs), m_bOpened(!dialogs.m_bEnded && dialogs.m_open == NestedDialog::None) {
    if (!m_bOpened) {
        if (!dialogs.m_bEnded) dialogs.m_view.BringDialogForward();
        return;
    }
    dialogs.m_open = dialog;
    dialogs.m_pNotes = pNotes;
}

NestedDialogs::Scope::~Scope() {
    if (!m_bOpened) return;
    m_dialogs.m_open = NestedDialog::None;
    m_dialogs.m_pNotes = nullptr;
}

void NestedDialogs::SavePendingEdit() {
    if (m_pNotes) m_pNotes->SavePendingEdit();
}

void NestedDialogs::End() {
    if (m_bEnded) return;
    m_bEnded = true;
    SavePendingEdit();
    // Innermost first; none of them saves or asks anything more.
    m_view.CloseNestedDialogs();
    m_view.RemoveTrayIcon();
    m_view.StopTimer();
    m_view.EndMainWindow();
}
