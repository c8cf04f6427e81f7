// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/Win32UserMessages.h"

#include "win/Utf.h"

int Win32UserMessages::Show(const std::string& strText, UINT uType) {
    // Over the dialog in front (Setup refusing a field), else the main window.
    const HWND hActive = GetActiveWindow();
    return MessageBoxW(hActive ? hActive : m_hOwner, Utf16FromUtf8(strText).c_str(),
                       Utf16FromUtf8(kMessageTitle).c_str(), uType);
}

void Win32UserMessages::Inform(const std::string& strText) {
    Show(strText, MB_OK | MB_ICONINFORMATION);
}

void Win32UserMessages::Warn(const std::string& strText) {
    Show(strText, MB_OK | MB_ICONWARNING);
}

bool Win32UserMessages::AskYesNo(const std::string& strText) {
    return Show(strText, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
