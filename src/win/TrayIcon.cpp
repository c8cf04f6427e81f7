// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/TrayIcon.h"

#include <algorithm>

#include "app/TrayMenu.h"
#include "win/Utf.h"

namespace {

// Copies as much of strText as fits, with its terminator, never splitting a
// surrogate pair.
template <std::size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& strText) {
    std::size_t nLength = std::min(strText.size(), N - 1);
    if (nLength > 0 && nLength < strText.size() && IS_HIGH_SURROGATE(strText[nLength - 1]))
        --nLength;
    std::copy_n(strText.data(), nLength, field);
    field[nLength] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon(HWND hWnd, HICON hIcon) : m_hWnd(hWnd), m_hIcon(hIcon) {}

NOTIFYICONDATAW TrayIcon::Record(UINT uFlags) const {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = m_hWnd;
    record.uID = kTrayIconId;
    record.uFlags = uFlags;
    record.uCallbackMessage = kTrayMessage;
    record.hIcon = m_hIcon;
    CopyField(record.szTip, m_strTip);
    return record;
}

bool TrayIcon::AddWithVersion() {
    // NIF_SHOWTIP: under version 4 the plain tip shows only when asked for.
    NOTIFYICONDATAW record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (!Shell_NotifyIconW(NIM_ADD, &record)) return false;
    m_bAdded = true;
    // After NIM_ADD: a version set before it is lost. The icon is there either way.
    record.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &record);
    return true;
}

bool TrayIcon::Add(const std::string& strTip) {
    if (m_bAdded) return SetTip(strTip);
    m_strTip = Utf16FromUtf8(strTip);
    return AddWithVersion();
}

bool TrayIcon::SetTip(const std::string& strTip) {
    m_strTip = Utf16FromUtf8(strTip);
    if (!m_bAdded) return false;
    NOTIFYICONDATAW record = Record(NIF_TIP | NIF_SHOWTIP);
    return Shell_NotifyIconW(NIM_MODIFY, &record);
}

bool TrayIcon::SetIcon(HICON hIcon) {
    m_hIcon = hIcon;
    if (!m_bAdded) return true;
    NOTIFYICONDATAW record = Record(NIF_ICON);
    return Shell_NotifyIconW(NIM_MODIFY, &record);
}

bool TrayIcon::Remove() {
    if (!m_bAdded) return true;
    m_bAdded = false;
    NOTIFYICONDATAW record = Record(0);
    return Shell_NotifyIconW(NIM_DELETE, &record);
}

bool TrayIcon::ShowBalloon(const std::string& strTitle, const std::string& strText) {
    if (!m_bAdded) return false;
    NOTIFYICONDATAW record = Record(NIF_INFO | NIF_SHOWTIP);
    CopyField(record.szInfoTitle, Utf16FromUtf8(strTitle));
    CopyField(record.szInfo, Utf16FromUtf8(strText));
    record.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconW(NIM_MODIFY, &record);
}

bool TrayIcon::IsAvailable() {
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}
