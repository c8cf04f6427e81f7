// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

#include "qt/QtDialogView.h"
#include "qt/QtUserMessages.h"

class CCountdownApp;
class NotesScreen;

// The Notes dialog, built from its template; its screen (NotesScreen)
// decides. The dialog forwards clicks, selection and the user's edits of the
// body to the screen.
class CNotesDlg : public QDialog {
    Q_OBJECT

public:
    // A dialog with a screen of its own over the application's notes.
    explicit CNotesDlg(CCountdownApp& app, QWidget* parent = nullptr);
    // A dialog over a screen that outlives it.
    explicit CNotesDlg(NotesScreen& screen, QWidget* parent = nullptr);
    ~CNotesDlg() override;

    // "Close Notes": a pending edit of the body is kept. Escape and the close
    // box reach reject() and drop it.
    void accept() override;
    void reject() override;

    // The end of the session: a pending edit is saved without asking anyone;
    // the dialog stays open.
    void SavePendingEdit();

private:
    void Init();

    QtUserMessages m_messages{this};
    std::unique_ptr<NotesScreen> m_pOwnScreen;
    NotesScreen& m_screen;
    QtDialogView m_view{*this};
};
