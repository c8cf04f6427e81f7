// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/ArrivalAlert.h"
#include "app/MainWindow.h"
#include "countdown/CTime.h"
#include "countdown/RefreshRule.h"
#include "trivia/TriviaRandom.h"
#include "trivia/TriviaRotation.h"
#include "trivia/TriviaTable.h"

class CCountdownApp;
class CNotesDlg;
class CTrayIcon;
#include "app/TrayMenu.h"
class IClock;
class QLineEdit;
class QPlainTextEdit;

// The main window: the arrival moment, the countdown in parts and totals, the
// trivia square, and the buttons. It owns the tray icon and the one 500 ms
// timer that keeps the countdown, the caption and the tip current.
class CCountdownDlg final : public QDialog, public IMainWindow, private ITriviaView {
    Q_OBJECT
public:
    CCountdownDlg(CCountdownApp& app, const IClock& clock, QWidget* parent = nullptr);
    ~CCountdownDlg() override;

    // Initialises the window (once) and runs it until it ends.
    int DoModal() override;
    // Everything the window does before it is first shown; DoModal calls it.
    void OnInitDialog();
    // --hidden: go to the tray on the first tick, whatever the setting says.
    void SetStartHidden(bool bHidden) { m_bStartHidden = bHidden; }
    // Showing the window again writes the fields that changed while it was
    // in the tray.
    void setVisible(bool bVisible) override;

    void RefreshDisplay(RefreshMode mode);
    void OnTimer();
    void LoadTrivia();
    void ShowTrivia(TriviaMode mode);

    void OnSetup();
    void OnHideMe();
    void OnShowMainScreen();
    void OnTrayExit();
    void OnAbout();
    void OnCopyToClipboard();
    void OnNotes();
    void OnPause();
    void OnTrayMenu();  // a left-button press on the tray icon
    void OnTrayCommand(TrayCommand command);
    // A request to end from outside (SIGTERM, the end of the session): the
    // Notes dialog's pending edit is saved, every open dialog closes and the
    // window ends as Exit ends it.
    void OnEndSession();
    // The session manager asks for unsaved work before the session ends: the
    // pending edit of an open Notes dialog is saved; the program runs on.
    void OnCommitData();

    // The tray icon (tests look at its tip).
    CTrayIcon& Tray() { return *m_pTray; }
    // The trivia side (tests script its generator and look at its state).
    const TriviaTable& Trivia() const { return *m_pTrivia; }
    TriviaRotation& Rotation() { return *m_pRotation; }
    void SetTriviaRandom(std::unique_ptr<ITriviaRandom> random) { m_pRandom = std::move(random); }
    // The 500 ms timer that drives the countdown and the trivia.
    const QTimer& TickTimer() const { return m_timer; }
    // The widget of a control id, or nullptr.
    QWidget* Control(int nId) const;
    // Tests run the tray menu without a popup: the actions in their order.
    QList<QAction*> TrayMenuActions() const;

    CTime m_timeArrival;          // the arrival of the application's settings
    bool m_bHidePending = false;  // the next tick hides the window (hide on start-up)
    bool m_bPaused = false;
    std::string m_strArrival;

protected:
    void done(int nResult) override;  // every way of ending removes the tray icon
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Installed on the application: its Quit event (the session manager's
    // "die") ends the window through OnEndSession.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateTrayMenu();
    void SetDlgItemInt(int nId, std::int64_t nValue);
    void SetDlgItemText(int nId, const QString& strText);
    void WriteControl(int nId, const QString& strText);
    void UpdateArrivalField();
    void SetCaptionAndTip(const CTimeSpan& span);
    void HideToTray();
    CTimeSpan CurrentSpan();
    void CheckArrivalAlert();
    void SetQuestionText(const std::string& strText) override;
    void SetAnswerText(const std::string& strText) override;

    CCountdownApp& m_app;
    const IClock& m_clock;
    CountdownRefresh m_refresh;
    QTimer m_timer;
    CTrayIcon* m_pTray = nullptr;
    QMenu* m_pTrayMenu = nullptr;
    std::map<int, QWidget*> m_controls;
    std::unique_ptr<TriviaTable> m_pTrivia;
    std::unique_ptr<ITriviaRandom> m_pRandom;
    std::unique_ptr<TriviaRotation> m_pRotation;
    ArrivalAlert m_alert;
    bool m_bInitialised = false;
    bool m_bStartHidden = false;
    QEventLoop* m_pRunLoop = nullptr;       // DoModal's loop while it runs
    QPointer<CNotesDlg> m_pNotesDlg;        // the Notes dialog while it is open
    bool m_bEnded = false;                  // done() ran: DoModal must not start its loop
    bool m_bInTray = false;                 // hidden to the tray; field writes wait
    std::map<int, QString> m_pendingTexts;  // the last text of each waiting field
};
