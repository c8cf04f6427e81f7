// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "win/Win32.h"

#include <shellapi.h>

// The program's icon in the notification area (version 4 behaviour),
// identified by its window and kTrayIconId. Events arrive at the window as
// kTrayMessage: LOWORD(lParam) the event, GET_X/Y_LPARAM(wParam) the anchor.
class TrayIcon {
public:
    static constexpr UINT kTrayMessage = WM_APP + 1;

    TrayIcon(HWND hWnd, HICON hIcon);
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Each returns what Shell_NotifyIconW said.
    bool Add(const std::string& strTip);
    bool SetTip(const std::string& strTip);
    bool SetIcon(HICON hIcon);  // the picture, kept for the next add
    bool Remove();              // true also when there was nothing to remove
    bool ShowBalloon(const std::string& strTitle, const std::string& strText);
    // After Explorer restarted (TaskbarCreated) the icon is gone: the next Add adds it.
    void Forget() { m_bAdded = false; }

    bool IsAdded() const { return m_bAdded; }

    // Whether the desktop has a notification area at all.
    static bool IsAvailable();

private:
    NOTIFYICONDATAW Record(UINT uFlags) const;
    bool AddWithVersion();

    HWND m_hWnd;
    HICON m_hIcon;
    std::wstring m_strTip;
    bool m_bAdded = false;
};
