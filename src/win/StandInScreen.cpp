// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/StandInScreen.h"

#include "app/DialogTemplates.h"

void StandInScreen::OnInitDialog() {
    if (m_view.IsTrayAvailable()) m_view.AddTrayIcon("Brisaloo");
}

void StandInScreen::OnCommand(int nId) {
    switch (nId) {
        case IDOK:
        case IDCANCEL:
            m_view.EndMainWindow();
            break;
        case IDC_HIDE:
            m_view.HideWindow();
            break;
        case IDC_ABOUT:
            m_view.RunAboutDialog();
            break;
        default:
            break;
    }
}

void StandInScreen::OnTrayCommand(TrayCommand command) {
    if (command == TrayCommand::ShowMainScreen) m_view.ShowWindow();
    if (command == TrayCommand::Exit) m_view.EndMainWindow();
}

void StandInScreen::OnEndSession() {
    m_view.CloseNestedDialogs();
    m_view.EndMainWindow();
}
