// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainView.h"
#include "win/MainWindowEvents.h"

// The main window's events answered with the plainest behaviour (buttons
// that hide, show, end and open the About box; the tray icon while the
// window runs) until the main screen of the core is bound to the window in
// its place. Counting down, trivia, notes and Setup are the screen's.
class StandInScreen final : public IMainWindowEvents {
public:
    explicit StandInScreen(IMainView& view) : m_view(view) {}

    void OnInitDialog() override;
    void OnCommand(int nId) override;
    void OnTimer() override {}
    void OnShown() override {}
    void OnTrayClick() override { m_view.PopUpTrayMenu(); }
    void OnTrayDoubleClick() override { m_view.ShowWindow(); }
    void OnTrayCommand(TrayCommand command) override;
    void OnTrayLost() override { m_view.ShowWindow(); }
    void OnShowRequested() override { m_view.ShowWindow(); }
    void OnQueryEndSession() override {}
    void OnEndSession() override;

private:
    IMainView& m_view;
};
