// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ArrivalAlert.h"
#include "app/TrayMenu.h"
#include "countdown/CTime.h"
#include "countdown/CountdownRefresh.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

class CCountdownApp;
class IClock;
class IMainView;
class IUserMessages;
class NotesScreen;

// The main screen: the arrival moment, the countdown in parts and totals, the
// trivia square, Pause, Copy, Setup, Notes and the tray. It decides everything
// the main window shows and does; a shell's window (IMainView) only draws and
// forwards its events here. While the window is hidden in the tray, field
// writes wait and only the last text of each is written when it shows again.
class CountdownScreen final : private ITriviaView {
public:
    CountdownScreen(CCountdownApp& app, const IClock& clock, IMainView& view,
                    IUserMessages& messages);
    ~CountdownScreen() override;
    CountdownScreen(const CountdownScreen&) = delete;
    CountdownScreen& operator=(const CountdownScreen&) = delete;

    // --hidden: go to the tray on the first tick, whatever the setting says.
    void SetStartHidden(bool bHidden) { m_bStartHidden = bHidden; }
    // The trivia draws (tests script them); set before OnInitDialog.
    void SetTriviaRandom(std::unique_ptr<ITriviaRandom> random) { m_pRandom = std::move(random); }

    // Everything before the window is first shown (once). An end requested
    // while one of its messages is open stops it there.
    void OnInitDialog();
    // The 500 ms tick. What a tick in the tray runs is marked hot, so the
    // compiler puts it together on one page of code: after half a second
    // asleep, each page a tick touches costs a cold TLB and cache miss.
    [[gnu::hot]] void OnTimer();
    // The clock or the time zone changed: a full tick now, in the tray too.
    void OnTimeChange();
    void RefreshDisplay(RefreshMode mode);
    void LoadTrivia();
    void ShowTrivia(TriviaMode mode);

    void OnHideMe();
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
    // The tray went away: a window hidden in it must not be stranded.
    void OnTrayLost();
    void OnTrayExit();
    // The window ended by its own means (Close, Escape, the close box).
    void OnWindowEnded();
    // A request to end from outside (a signal, the end of the session): the
    // Notes dialog's pending edit is saved, every nested dialog closes and
    // the window ends as Exit ends it.
    void OnEndSession();
    // The session manager asks for unsaved work: the open Notes dialog's
    // pending edit is saved; the program runs on.
    void OnCommitData();

    bool IsEnded() const { return m_bEnded; }
    bool IsInTray() const { return m_bInTray; }
    bool IsHidePending() const { return m_bHidePending; }
    bool IsPaused() const { return m_pRotation && m_pRotation->IsPaused(); }
    const std::string& ArrivalText() const { return m_strArrival; }
    const TriviaTable& Trivia() const { return *m_pTrivia; }
    const TriviaRotation* Rotation() const { return m_pRotation.get(); }

private:
    // The last text of a field that waits while the window is in the tray; a
    // number is kept as one and formatted only if the window shows again.
    struct PendingText {
        int nId = 0;
        std::string strText;
        std::optional<std::int64_t> nValue;
        bool bWaiting = false;
    };

    void SetDlgItemInt(int nId, std::int64_t nValue);
    void SetDlgItemText(int nId, const std::string& strText);
    PendingText& PendingFor(int nId);
    void UpdateArrivalField();
    void SetCaptionAndTip(const CTimeSpan& span);
    CTimeSpan CurrentSpan();
    void PlanQuietTicks(const CTimeSpan& span);
    [[gnu::hot]] bool IsQuietTick();
    void CheckArrivalAlert();
    void HideToTray();
    void EndWindow();
    void SetQuestionText(const std::string& strText) override;
    void SetAnswerText(const std::string& strText) override;

    CCountdownApp& m_app;
    const IClock& m_clock;
    IMainView& m_view;
    IUserMessages& m_messages;
    CountdownRefresh m_refresh;
    std::unique_ptr<TriviaTable> m_pTrivia;
    std::unique_ptr<ITriviaRandom> m_pRandom;
    std::unique_ptr<TriviaRotation> m_pRotation;  // holds the paused state
    ArrivalAlert m_alert;
    CTime m_timeArrival;  // the arrival of the application's settings
    CTime m_timeRefreshed;  // the clock when the countdown was last computed
    CTime m_timeQuietUntil;  // in the tray, a tick before this changes nothing the user sees
    std::string m_strArrival;
    bool m_bInitialised = false;
    bool m_bStartHidden = false;
    bool m_bHidePending = false;  // the next tick hides the window (hide on start-up)
    bool m_bInTray = false;       // hidden to the tray; field writes wait
    bool m_bEnded = false;
    // By control id; entries stay, so a later hide allocates nothing.
    std::vector<PendingText> m_pendingTexts;
    std::optional<CTimeSpan> m_pendingCaption;  // the caption's span while in the tray
    NotesScreen* m_pNotes = nullptr;  // the Notes dialog's screen while it runs
};
