// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/DialogView.h"

#include "app/UserMessages.h"

class QDialog;
class QWidget;
struct DialogTemplate;

// A nested dialog blocks the windows it sits on, not the whole program: the
// XEmbed tray icon is a window of its own, and its menu (Show Main Screen,
// Exit) stays in reach while a dialog is open.
void SetNestedModality(QDialog& dialog);

// Builds a dialog from its template: caption, modality, object name, fixed size and
// every control, with the focus on the first control that takes it.
void BuildDialogFromTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate);

// The widget of a dialog's control id (its own controls only, not those of a
// nested dialog), or nullptr.
QWidget* DialogItem(const QDialog& dialog, int nId);

// IDialogView over the widgets a dialog built from its template. Setting a
// text or a list sends no change notifications.
class QtDialogView final : public IDialogView {
public:
    explicit QtDialogView(QDialog& dialog);

    void SetItemText(int nId, const std::string& strText) override;
    std::string GetItemText(int nId) override;
    void SetChecked(int nId, bool bChecked) override;
    bool IsChecked(int nId) override;
    void EnableItem(int nId, bool bEnable) override;
    void SetReadOnly(int nId, bool bReadOnly) override;
    void FocusAndSelectAll(int nId) override;
    void ResetList(int nId, const std::vector<std::string>& rows) override;
    void InsertListRow(int nId, int nIndex, const std::string& strRow) override;
    void SetListSelection(int nId, int nIndex) override;
    int GetListSelection(int nId) override;
    bool RunAddNoteDialog(AddNoteForm& form) override;

private:
    QDialog& m_dialog;
};
