// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/DialogView.h"
#include "win/Win32.h"

// IDialogView over any dialog window: controls by id, texts converted between
// the core's UTF-8 and the controls' UTF-16. Multi-line edits already use
// CR LF, as the core does.
class Win32DialogView final : public IDialogView {
public:
    explicit Win32DialogView(HWND hDlg) : m_hDlg(hDlg) {}

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
    HWND m_hDlg;
};

// A control's text, for any window (the main window too).
void SetControlText(HWND hDlg, int nId, const std::string& strText);
std::string GetControlText(HWND hDlg, int nId);
