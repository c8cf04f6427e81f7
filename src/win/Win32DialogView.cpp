// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/Win32DialogView.h"

#include "win/FormDialogs.h"
#include "win/Utf.h"

void SetControlText(HWND hDlg, int nId, const std::string& strText) {
    SetDlgItemTextW(hDlg, nId, Utf16FromUtf8(strText).c_str());
}

std::string GetControlText(HWND hDlg, int nId) {
    const HWND hControl = GetDlgItem(hDlg, nId);
    std::wstring strText(static_cast<std::size_t>(GetWindowTextLengthW(hControl)) + 1, L'\0');
    strText.resize(static_cast<std::size_t>(
        GetWindowTextW(hControl, strText.data(), static_cast<int>(strText.size()))));
    return Utf8FromUtf16(strText);
}

void Win32DialogView::SetItemText(int nId, const std::string& strText) {
    SetControlText(m_hDlg, nId, strText);
}

std::string Win32DialogView::GetItemText(int nId) {
    return GetControlText(m_hDlg, nId);
}

void Win32DialogView::SetChecked(int nId, bool bChecked) {
    CheckDlgButton(m_hDlg, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32DialogView::IsChecked(int nId) {
    return IsDlgButtonChecked(m_hDlg, nId) == BST_CHECKED;
}

void Win32DialogView::EnableItem(int nId, bool bEnable) {
    EnableWindow(GetDlgItem(m_hDlg, nId), bEnable);
}

void Win32DialogView::SetReadOnly(int nId, bool bReadOnly) {
    SendDlgItemMessageW(m_hDlg, nId, EM_SETREADONLY, bReadOnly, 0);
}

void Win32DialogView::FocusAndSelectAll(int nId) {
    // WM_NEXTDLGCTL keeps the dialog manager's idea of the focus and of the default button.
    SendMessageW(m_hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_hDlg, nId)), TRUE);
    SendDlgItemMessageW(m_hDlg, nId, EM_SETSEL, 0, -1);
}

void Win32DialogView::ResetList(int nId, const std::vector<std::string>& rows) {
    SendDlgItemMessageW(m_hDlg, nId, LB_RESETCONTENT, 0, 0);
    for (const std::string& strRow : rows) InsertListRow(nId, -1, strRow);
}

void Win32DialogView::InsertListRow(int nId, int nIndex, const std::string& strRow) {
    const std::wstring strWide = Utf16FromUtf8(strRow);
    SendDlgItemMessageW(m_hDlg, nId, LB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                        reinterpret_cast<LPARAM>(strWide.c_str()));
}

void Win32DialogView::SetListSelection(int nId, int nIndex) {
    SendDlgItemMessageW(m_hDlg, nId, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

int Win32DialogView::GetListSelection(int nId) {
    const LRESULT nIndex = SendDlgItemMessageW(m_hDlg, nId, LB_GETCURSEL, 0, 0);
    return nIndex == LB_ERR ? -1 : static_cast<int>(nIndex);
}

bool Win32DialogView::RunAddNoteDialog(AddNoteForm& form) {
    return ::RunAddNoteDialog(m_hDlg, form);
}
