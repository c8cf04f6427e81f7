// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/MainView.h"

// Whether the program's icon is really in the tray: only then can a hidden
// window come back through it. An add that failed (the taskbar still
// starting at sign-in, no panel yet) is tried again a few times a few
// seconds apart, counted in ticks, and whenever the desktop's tray starts.
class TrayPresence {
public:
    // Ticks between two tries, how many tries after a failure, and how long
    // an answer may stay pending before it counts as a failure.
    static constexpr int kRetryTicks = 6;
    static constexpr int kRetries = 5;
    static constexpr int kAnswerTicks = 10;

    void OnAnswer(TrayIconAnswer answer);
    // The desktop answered later: the icon is there, or it is gone.
    void OnShown() { OnAnswer(TrayIconAnswer::Shown); }
    void OnLost() { OnAnswer(TrayIconAnswer::Failed); }
    // The desktop's tray (re)started: the tries count anew.
    void RestartTries() { m_nTriesLeft = kRetries; }

    bool IsShown() const { return m_answer == TrayIconAnswer::Shown; }
    bool IsPending() const { return m_answer == TrayIconAnswer::Pending; }

    // One tick; true when the icon should be added again now.
    bool Tick();

private:
    TrayIconAnswer m_answer = TrayIconAnswer::Failed;
    int m_nTicks = 0;  // since the last answer
    int m_nTriesLeft = kRetries;
};
