// SPDX-License-Identifier: GPL-3.0-or-later
// Leaves an edit pending in a running copy, as a user who types and has not
// left the field yet: opens Notes from the tray menu, selects the first note
// and replaces its body. Exits 0 once the body is in the field.
//   edit_running_note.exe BODY
#include "win/Win32.h"

#include <string>

#include "app/DialogTemplates.h"
#include "app/TrayMenu.h"
#include "win/SingleInstance.h"

namespace {

// Up to about 10 s for a window to appear.
template <typename Find>
HWND WaitFor(Find find) {
    HWND hWindow = find();
    for (int i = 0; i < 1000 && !hWindow; ++i, hWindow = find()) Sleep(10);
    return hWindow;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const HWND hMain = WaitFor([] { return FindWindowW(kMainWindowClass, nullptr); });
    if (!hMain) return 3;
    PostMessageW(hMain, WM_COMMAND, kTrayMenu[1].nCommandId, 0);
    // Shown only once its controls are filled: an edit made earlier would be
    // overwritten.
    const HWND hNotes = WaitFor([] {
        const HWND hWindow = FindWindowW(nullptr, L"Brisaloo: Notes");
        return IsWindowVisible(hWindow) ? hWindow : nullptr;
    });
    if (!hNotes) return 4;
    const HWND hList = GetDlgItem(hNotes, IDC_NOTE_LIST);
    const HWND hBody = GetDlgItem(hNotes, IDC_NOTE_BODY);
    if (SendMessageW(hList, LB_SETCURSEL, 0, 0) == LB_ERR) return 5;
    SendMessageW(hNotes, WM_COMMAND, MAKEWPARAM(IDC_NOTE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hList));
    SendMessageW(hBody, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[1]));
    SendMessageW(hNotes, WM_COMMAND, MAKEWPARAM(IDC_NOTE_BODY, EN_CHANGE),
                 reinterpret_cast<LPARAM>(hBody));
    wchar_t szBody[256] = L"";
    SendMessageW(hBody, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(szBody));
    return std::wstring(szBody) == argv[1] ? 0 : 6;
}
