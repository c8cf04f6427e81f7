// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "app/CCountdownApp.h"
#include "app/MainView.h"
#include "win/DialogWindow.h"
#include "win/Handles.h"
#include "win/MainWindowEvents.h"
#include "win/TrayIcon.h"

class IUserMessages;

// The main window: the main template as a modeless top-level dialog of its
// own window class (a second copy finds it by that name), black on white (in
// the system's colours while high contrast is on), owning the timer and the
// tray icon. It implements IMainView for the main screen and turns every
// message into a call of IMainWindowEvents.
class Win32MainWindow final : public DialogWindow, public IMainView, public IMainWindow {
public:
    // strWindowClass names this copy's window, so that a second copy for the
    // same data finds it.
    explicit Win32MainWindow(std::wstring strWindowClass);
    ~Win32MainWindow() override;

    // Where the window's events go; set before Create.
    void SetEvents(IMainWindowEvents& events) { m_pEvents = &events; }
    // What Setup tells the user about a refused field; set before Setup runs.
    void SetMessages(IUserMessages& messages) { m_pMessages = &messages; }
    // The window, created hidden; false when it could not be made.
    bool Create();
    // Creates and initialises the window (the screen shows it unless the start
    // is hidden), then runs the message loop until EndMainWindow.
    int DoModal() override;

    // The registered message a second copy posts to bring this one forward.
    static UINT ShowRequestMessage();

    TrayIcon& Tray() { return *m_tray; }

    // Where the window learns whether high contrast is on (tests replace the
    // system's answer); read at Create and on every change of the setting.
    void SetHighContrastSource(bool (*pfnIsHighContrast)()) {
        m_pfnIsHighContrast = pfnIsHighContrast;
    }

    void SetDlgItemText(int nId, const std::string& strText) override;
    void SetCaption(const std::string& strCaption) override;
    void StartTimer(int nPeriodMs) override;
    void StopTimer() override;
    TrayIconAnswer AddTrayIcon(const std::string& strTip) override;
    void SetTrayTip(const std::string& strTip) override;
    void RemoveTrayIcon() override;
    bool Notify(const std::string& strTitle, const std::string& strText) override;
    void PopUpTrayMenu() override;
    void HideWindow() override;
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
    bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult) override;

private:
    bool RegisterWindowClass();
    void AddAboutToSystemMenu();
    void OnCommandMessage(WPARAM wParam);
    void OnTrayMessage(WPARAM wParam, LPARAM lParam);
    void OnTrayClickTimeOut();
    void OnTimeChange();
    void ReadColours();
    void OnColoursChanged();
    INT_PTR Colours(HDC hDC);
    void LoadIcons(UINT nDpi);

    IMainWindowEvents* m_pEvents = nullptr;
    IUserMessages* m_pMessages = nullptr;
    std::wstring m_strWindowClass;
    UniqueIcon m_icon;  // for the window's DPI
    UniqueIcon m_smallIcon;
    bool (*m_pfnIsHighContrast)();
    COLORREF m_textColour = 0;
    COLORREF m_backColour = 0;
    UniqueBrush m_backBrush;
    std::optional<TrayIcon> m_tray;
    std::optional<POINT> m_trayAnchor;        // where the icon was clicked
    std::optional<DWORD> m_nDoubleClickTick;  // GetTickCount of the last double click
    bool m_bEnded = false;
    bool m_bRunning = false;  // DoModal's loop runs: the window's end posts WM_QUIT
};
