// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class NotesScreen;
class SetupForm;

// What a shell can say about the tray icon it was asked to add: it is in the
// tray, the desktop has not answered yet (the answer comes later as an event
// of the screen: OnTrayIconShown or OnTrayLost), or it could not be added.
enum class TrayIconAnswer { Shown, Pending, Failed };

// What the main screen needs of a shell's main window: only what a window
// system can do. Every decision (what to write, when, whether to hide or
// minimise) is the screen's (CountdownScreen). Texts are UTF-8.
class IMainView {
public:
    virtual ~IMainView() = default;

    // A control of the main window's template (DialogTemplates.h) shows this text.
    virtual void SetDlgItemText(int nId, const std::string& strText) = 0;
    virtual void SetCaption(const std::string& strCaption) = 0;

    // The one timer that drives the screen's OnTimer.
    virtual void StartTimer(int nPeriodMs) = 0;
    virtual void StopTimer() = 0;

    // The tray: the icon with its tip (added again after a failure or when
    // the desktop's tray restarts), and a notification, through the desktop's
    // notification server or from the icon. Notify returns whether it reached
    // the user.
    virtual TrayIconAnswer AddTrayIcon(const std::string& strTip) = 0;
    virtual void SetTrayTip(const std::string& strTip) = 0;
    virtual void RemoveTrayIcon() = 0;  // nothing when it is not there
    virtual bool Notify(const std::string& strTitle, const std::string& strText) = 0;
    virtual void PopUpTrayMenu() = 0;  // the menu of kTrayMenu at the pointer

    virtual void HideWindow() = 0;
    virtual void MinimiseWindow() = 0;
    // Shown (restored when minimised), raised and given the focus.
    virtual void ShowWindow() = 0;

    virtual void SetClipboardText(const std::string& strText) = 0;

    // Nested dialogs, each run modally until it ends, over the main window
    // (hidden or not). Setup returns true on OK, when the form holds the
    // checked settings.
    virtual bool RunSetupDialog(SetupForm& form) = 0;
    virtual void RunNotesDialog(NotesScreen& notes) = 0;
    virtual void RunAboutDialog() = 0;
    // The innermost open dialog (Add a Note over Notes, a message box over
    // Setup) comes above every other window and takes the focus.
    virtual void BringDialogForward() = 0;
    // The end: every nested dialog ends at once, innermost first, without
    // asking anything.
    virtual void CloseNestedDialogs() = 0;
    // Ends the main window's run (the program ends with it).
    virtual void EndMainWindow() = 0;
};
