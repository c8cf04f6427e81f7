// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/TrayMenu.h"

// Everything the user and the system do to the main window, as the main
// screen hears it. The shell decides nothing: each message becomes one of
// these calls, and the screen answers through IMainView.
class IMainWindowEvents {
public:
    virtual ~IMainWindowEvents() = default;

    virtual void OnInitDialog() = 0;  // the window exists and is not shown yet
    // A button: IDOK (Close), IDC_SETUP, IDC_HIDE, IDC_ABOUT (also the system
    // menu's About item), IDC_COPY, IDC_NOTES, IDC_PAUSE; IDCANCEL for Escape
    // and the system menu's Close.
    virtual void OnCommand(int nId) = 0;
    virtual void OnTimer() = 0;
    virtual void OnTimeChange() = 0;  // the clock or the time zone changed
    virtual void OnShown() = 0;       // the window became visible
    // The tray menu is asked for: a left click once the double-click time
    // has passed without a second click, a right click, Shift+F10, the Apps
    // key, Enter or Space on the icon.
    virtual void OnTrayClick() = 0;
    virtual void OnTrayDoubleClick() = 0;
    virtual void OnTrayBalloonClick() = 0;  // the arrival notification was clicked
    virtual void OnTrayCommand(TrayCommand command) = 0;
    virtual void OnTrayCreated() = 0;    // the taskbar (re)started: the icon is to be added again
    virtual void OnShowRequested() = 0;  // a second copy was started for the same data
    // The session ends: first the question (save what is pending), then the end.
    virtual void OnQueryEndSession() = 0;
    virtual void OnEndSession() = 0;
};
