// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "app/CCountdownApp.h"
#include "app/CountdownScreen.h"
#include "win/MainWindowEvents.h"
#include "win/Win32MainWindow.h"

class CCountdownApp;
class IClock;
class IUserMessages;

// The program's main window: the Win32 window (Win32MainWindow) driven by the
// core's main screen. Each window event becomes the screen call the Qt shell
// makes for it; the screen answers through the window's IMainView.
class CountdownWindow final : public IMainWindow, private IMainWindowEvents {
public:
    // strWindowClass: the class every copy's main window has
    // (kMainWindowClass). messages shows the screen's message boxes.
    CountdownWindow(CCountdownApp& app, const IClock& clock, std::wstring strWindowClass,
                    IUserMessages& messages);

    CountdownScreen& Screen() { return m_screen; }
    Win32MainWindow& Window() { return m_window; }

    int DoModal() override { return m_window.DoModal(); }

private:
    void OnInitDialog() override { m_screen.OnInitDialog(); }
    void OnCommand(int nId) override;
    void OnTimer() override { m_screen.OnTimer(); }
    void OnTimeChange() override { m_screen.OnTimeChange(); }
    void OnShown() override { m_screen.OnShown(); }
    void OnTrayClick() override { m_screen.OnTrayMenu(); }
    void OnTrayDoubleClick() override { m_screen.OnShowMainScreen(); }
    void OnTrayBalloonClick() override { m_screen.OnShowMainScreen(); }
    void OnTrayCommand(TrayCommand command) override { m_screen.OnTrayCommand(command); }
    void OnTrayCreated() override { m_screen.OnTrayCreated(); }
    void OnShowRequested() override { m_screen.OnShowMainScreen(); }
    void OnQueryEndSession() override { m_screen.OnCommitData(); }
    void OnEndSession() override { m_screen.OnEndSession(); }

    Win32MainWindow m_window;
    CountdownScreen m_screen;
};
