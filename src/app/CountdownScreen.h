// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "app/ArrivalAlert.h"
#include "app/DeferredMainView.h"
#include "app/NestedDialogs.h"
#include "app/TrayMenu.h"
#include "app/TrayPresence.h"
#include "countdown/CTime.h"
#include "countdown/CountdownRefresh.h"
#include "countdown/QuietTicks.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

class CCountdownApp;
class IClock;
class IMainView;
class IUserMessages;

// The main screen: the arrival moment, the countdown in parts and totals, the
// trivia square, Pause, Copy, Setup, Notes and the tray. It decides everything
// the main window shows and does; a shell's window (IMainView) only draws and
// forwards its events here. Its parts: the writes that wait while the window
// is in the tray (DeferredMainView), the ticks with nothing to show there
// (QuietTicks), whether the tray icon is really there (TrayPresence), the one
// nested dialog and the end path (NestedDialogs), the trivia and the alert.
class CountdownScreen final : private ITriviaView {
public:
    CountdownScreen(CCountdownApp& app, const IClock& clock, IMainView& view,
                    IUserMessages& messages);
    ~CountdownScreen() override;
    CountdownScreen(const CountdownScreen&) = delete;
    CountdownScreen& operator=(const CountdownScreen&) = delete;

    // --hidden: start in the tray, whatever the setting says.
    void SetStartHidden(bool bHidden) { m_bStartHidden = bHidden; }
    // The trivia draws (tests script them); set before OnInitDialog.
    void SetTriviaRandom(std::unique_ptr<ITriviaRandom> random) { m_pRandom = std::move(random); }

    // Everything before the window is first shown (once), and the show
    // itself unless the start is hidden: the shell never shows the window on
    // its own. An end requested while one of its messages is open stops it there.
    void OnInitDialog();
    // The 500 ms tick. What a tick in the tray runs is marked hot, so the
    // compiler puts it together on one page of code: after half a second
    // asleep, each page a tick touches costs a cold TLB and cache miss.
    [[gnu::hot]] void OnTimer();
    // The clock or the time zone changed: the countdown is computed again at
    // once, in the tray too. It is not a tick: the trivia does not count it.
    void OnTimeChange();
    void RefreshDisplay(RefreshMode mode);

    void OnHideMe();
    // Also a second start's request: the window shows, above it the open dialog.
    void OnShowMainScreen();
    // The window is becoming visible: the fields that waited are written.
    void OnShown();
    void OnPause();
    void OnCopyToClipboard();
    void OnSetup();
    void OnNotes();
    void OnAbout();
    void OnTrayCommand(TrayCommand command);
    void OnTrayMenu();  // a left-button press on the tray icon
    // The desktop answered an add later: the icon is in the tray.
    void OnTrayIconShown();
    // The icon is not (or no longer) in a tray: a window hidden in it must
    // not be stranded.
    void OnTrayLost();
    // The desktop's tray (re)started (TaskbarCreated; an XEmbed tray that
    // starts on a display that had none): the icon is added again.
    void OnTrayCreated();
    // The ways out, one end path (NestedDialogs::End): the window's Close,
    // Escape or close box; Exit from the tray or the panel; a request from
    // outside (a signal, the end of the session, a close request).
    void OnClose() { m_dialogs.End(); }
    void OnTrayExit() { m_dialogs.End(); }
    void OnEndSession() { m_dialogs.End(); }
    // The session manager asks for unsaved work: the open Notes dialog's
    // pending edit is saved; the program runs on.
    void OnCommitData() { m_dialogs.SavePendingEdit(); }

    bool IsEnded() const { return m_dialogs.IsEnded(); }
    bool IsInTray() const { return m_writes.IsDeferring(); }
    bool IsHidePending() const { return m_bHidePending; }
    NestedDialog OpenDialog() const { return m_dialogs.Open(); }
    bool IsPaused() const { return m_pRotation && m_pRotation->IsPaused(); }
    const std::string& ArrivalText() const { return m_strArrival; }
    const TriviaTable& Trivia() const { return *m_pTrivia; }
    const TriviaRotation* Rotation() const { return m_pRotation.get(); }

private:
    void LoadTrivia();
    void UpdateArrivalField();
    void SetCaptionAndTip(const CTimeSpan& span);
    CTimeSpan CurrentSpan();
    void CheckArrivalAlert();
    void AddTrayIcon();
    void HideToTray();
    void CarryOutPendingHide();
    void SetQuestionText(const std::string& strText) override;
    void SetAnswerText(const std::string& strText) override;

    CCountdownApp& m_app;
    const IClock& m_clock;
    DeferredMainView m_writes;  // every call to the window goes through it
    IUserMessages& m_messages;
    NestedDialogs m_dialogs;
    TrayPresence m_tray;
    QuietTicks m_quiet;
    CountdownRefresh m_refresh;
    std::unique_ptr<TriviaTable> m_pTrivia;
    std::unique_ptr<ITriviaRandom> m_pRandom;
    std::unique_ptr<TriviaRotation> m_pRotation;  // holds the paused state
    ArrivalAlert m_alert;
    // An undelivered arrival notification is tried again kAlertRetryTicks
    // later, the wait doubling after each failure up to ten minutes: a desktop
    // with neither a notification server nor a tray may stay so for months.
    static constexpr int kAlertRetryTicks = 10;
    static constexpr int kAlertRetryMostTicks = 1200;
    int m_nAlertRetryIn = 0;  // ticks until an undelivered notification is tried again
    int m_nAlertRetryWait = kAlertRetryTicks;  // the wait after the next failure
    CTime m_timeArrival;                       // the arrival of the application's settings
    std::string m_strArrival;
    std::string m_strTip;  // the tray tip, for an icon added again
    bool m_bInitialised = false;
    bool m_bStartHidden = false;
    bool m_bHidePending = false;  // a hidden start waits for the tray's answer
};
