// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QString>
#include <QTimer>

#include <map>

#include "app/CCountdownApp.h"
#include "app/CountdownScreen.h"
#include "app/MainView.h"
#include "qt/CTrayIcon.h"
#include "qt/QtUserMessages.h"

class CCountdownApp;
class IClock;

// The main window in Qt: the controls of the main template, the tray icon and
// the 500 ms timer. It draws what its CountdownScreen decides and forwards
// every event (buttons, timer, tray, show, end) to it.
class CCountdownDlg final : public QDialog, public IMainWindow, public IMainView {
    Q_OBJECT
public:
    CCountdownDlg(CCountdownApp& app, const IClock& clock, QWidget* parent = nullptr);
    ~CCountdownDlg() override;

    // Initialises the window (once; the screen shows it unless the start is
    // hidden) and runs it until it ends.
    int DoModal() override;
    void OnInitDialog();
    void SetStartHidden(bool bHidden) { m_screen.SetStartHidden(bHidden); }
    void OnShowMainScreen() { m_screen.OnShowMainScreen(); }
    void OnEndSession();
    void OnCommitData();
    void setVisible(bool bVisible) override;

    CountdownScreen& Screen() { return m_screen; }
    CTrayIcon& Tray() { return *m_pTray; }
    const QTimer& TickTimer() const { return m_timer; }
    // The widget of a control id, or nullptr.
    QWidget* Control(int nId) const;
    // Tests run the tray menu without a popup: the actions in their order.
    QList<QAction*> TrayMenuActions() const;

    // IMainView
    void SetDlgItemText(int nId, const std::string& strText) override;
    void SetCaption(const std::string& strCaption) override {
        setWindowTitle(ToQString(strCaption));
    }
    void StartTimer(int nPeriodMs) override { m_timer.start(nPeriodMs); }
    void StopTimer() override { m_timer.stop(); }
    TrayIconAnswer AddTrayIcon(const std::string& strTip) override {
        return m_pTray->Add(windowIcon(), ToQString(strTip));
    }
    void SetTrayTip(const std::string& strTip) override { m_pTray->SetTip(ToQString(strTip)); }
    void RemoveTrayIcon() override { m_pTray->Remove(); }
    bool Notify(const std::string& strTitle, const std::string& strText) override {
        return m_pTray->Notify(ToQString(strTitle), ToQString(strText));
    }
    void PopUpTrayMenu() override { m_pTrayMenu->popup(QCursor::pos()); }
    void HideWindow() override { hide(); }
    void MinimiseWindow() override;
    void ShowWindow() override;
    void SetClipboardText(const std::string& strText) override;
    bool RunSetupDialog(SetupForm& form) override;
    void RunNotesDialog(NotesScreen& notes) override;
    void RunAboutDialog() override;
    void BringDialogForward() override;
    void CloseNestedDialogs() override;
    void EndMainWindow() override;

protected:
    // Close, Escape and the close box: the screen's end path, which ends the run.
    void done(int nResult) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void ConnectButtons();
    void CreateTrayMenu();
    static QString ToQString(const std::string& strText) { return QString::fromStdString(strText); }

    QtUserMessages m_messages;
    CountdownScreen m_screen;
    QTimer m_timer;
    CTrayIcon* m_pTray = nullptr;
    QMenu* m_pTrayMenu = nullptr;
    std::map<int, QWidget*> m_controls;
    QEventLoop* m_pRunLoop = nullptr;      // DoModal's loop while it runs
    int m_nEndResult = QDialog::Accepted;  // how the run ends (Close and Exit accept)
};
