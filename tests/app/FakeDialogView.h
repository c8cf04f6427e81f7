// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/AddNoteForm.h"
#include "app/DialogTemplates.h"
#include "app/DialogView.h"
#include "app/UserMessages.h"

// A dialog's controls in memory. Like a native edit control, setting a text
// reports a change (m_onChange), so a form must tell its own fills from the
// user's typing.
class FakeDialogView final : public IDialogView {
public:
    void SetItemText(int nId, const std::string& strText) override {
        m_texts[nId] = strText;
        if (m_onChange) m_onChange(nId);
    }
    std::string GetItemText(int nId) override { return m_texts[nId]; }
    void SetChecked(int nId, bool bChecked) override { m_checked[nId] = bChecked; }
    bool IsChecked(int nId) override { return m_checked[nId]; }
    void EnableItem(int nId, bool bEnable) override {
        if (bEnable)
            m_disabled.erase(nId);
        else
            m_disabled.insert(nId);
    }
    void SetReadOnly(int nId, bool bReadOnly) override {
        if (bReadOnly)
            m_readOnly.insert(nId);
        else
            m_readOnly.erase(nId);
    }
    void FocusAndSelectAll(int nId) override { m_nFocus = nId; }
    void ResetList(int, const std::vector<std::string>& rows) override {
        m_rows = rows;
        m_nSelected = -1;
    }
    void InsertListRow(int, int nIndex, const std::string& strRow) override {
        m_rows.insert(m_rows.begin() + nIndex, strRow);
    }
    void SetListSelection(int, int nIndex) override { m_nSelected = nIndex; }
    int GetListSelection(int) override { return m_nSelected; }

    // Add a Note answers with m_newNote's subject and body typed into its
    // fields and "Add", or is cancelled when there is none.
    bool RunAddNoteDialog(AddNoteForm& form) override {
        ++m_nAddDialogs;
        if (!m_newNote) return false;
        FakeDialogView addNote;
        addNote.m_texts[IDC_ADDNOTE_SUBJECT] = m_newNote->first;
        addNote.m_texts[IDC_ADDNOTE_BODY] = m_newNote->second;
        form.OnOK(addNote);
        return true;
    }

    std::map<int, std::string> m_texts;
    std::map<int, bool> m_checked;
    std::set<int> m_disabled;
    std::set<int> m_readOnly;
    int m_nFocus = -1;
    std::vector<std::string> m_rows;
    int m_nSelected = -1;
    std::function<void(int nId)> m_onChange;
    std::optional<std::pair<std::string, std::string>> m_newNote;
    int m_nAddDialogs = 0;
};

// Keeps every message and answers every question alike.
class FakeUserMessages final : public IUserMessages {
public:
    void Inform(const std::string& strText) override { m_texts.push_back(strText); }
    void Warn(const std::string& strText) override { m_texts.push_back(strText); }
    bool AskYesNo(const std::string& strText) override {
        m_texts.push_back(strText);
        return m_bAnswerYes;
    }

    std::vector<std::string> m_texts;
    bool m_bAnswerYes = false;
};
