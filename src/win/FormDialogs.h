// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <vector>

#include "win/DialogWindow.h"

class AddNoteForm;
class IUserMessages;
class NotesScreen;
class SetupForm;

// A dialog's events as a table: what its creation does, and for each control
// command (id and notification) what it does. The table is the whole wiring
// between a dialog and the form that drives it.
struct CommandBinding {
    int nId;
    int nNotifyCode;  // BN_CLICKED, LBN_SELCHANGE, ...
    std::function<void(DialogWindow&)> handler;
};

class DialogEventTable final : public IDialogEvents {
public:
    DialogEventTable(std::function<void(DialogWindow&)> onInit,
                     std::vector<CommandBinding> commands)
        : m_onInit(std::move(onInit)), m_commands(std::move(commands)) {}

    void OnInitDialog(DialogWindow& dialog) override;
    void OnCommand(DialogWindow& dialog, int nId, int nNotifyCode) override;

private:
    std::function<void(DialogWindow&)> m_onInit;
    std::vector<CommandBinding> m_commands;
};

// The nested dialogs, each run modally over hOwner from its template.
// Each runs its form as the form asks: Setup refuses a bad field through
// messages and stays open. Setup and Add a Note return true when they ended
// with OK / Add.
bool RunSetupDialog(HWND hOwner, SetupForm& form, IUserMessages& messages);
void RunNotesDialog(HWND hOwner, NotesScreen& notes);
bool RunAddNoteDialog(HWND hOwner, AddNoteForm& form);
void RunAboutDialog(HWND hOwner);
