// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/CountdownWindow.h"

#include "app/DialogTemplates.h"

CountdownWindow::CountdownWindow(CCountdownApp& app, const IClock& clock,
                                 std::wstring strWindowClass, IUserMessages& messages)
    : m_window(std::move(strWindowClass)), m_screen(app, clock, m_window, messages) {
    m_window.SetEvents(*this);
    m_window.SetMessages(messages);
}

void CountdownWindow::OnCommand(int nId) {
    switch (nId) {
        case IDOK:      // Close
        case IDCANCEL:  // Escape, the close box, the system menu's Close, WM_CLOSE
            m_screen.OnClose();
            break;
        case IDC_SETUP:
            m_screen.OnSetup();
            break;
        case IDC_HIDE:
            m_screen.OnHideMe();
            break;
        case IDC_ABOUT:
            m_screen.OnAbout();
            break;
        case IDC_COPY:
            m_screen.OnCopyToClipboard();
            break;
        case IDC_NOTES:
            m_screen.OnNotes();
            break;
        case IDC_PAUSE:
            m_screen.OnPause();
            break;
        default:
            break;
    }
}
