// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class NotesScreen;
class SetupForm;

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

    // The tray: whether the desktop has one (a hidden window can come back
    // through it), the icon with its tip, and a notification from it.
    virtual bool IsTrayAvailable() = 0;
    virtual void AddTrayIcon(const std::string& strTip) = 0;
    virtual void SetTrayTip(const std::string& strTip) = 0;
    virtual void RemoveTrayIcon() = 0;  // nothing when it is not there
    virtual void Notify(const std::string& strTitle, const std::string& strText) = 0;
    virtual void PopUpTrayMenu() = 0;  // the menu of kTrayMenu at the pointer

    virtual void HideWindow() = 0;
    virtual void MinimiseWindow() = 0;
    virtual void ShowWindow() = 0;  // shown, raised and given the focus

    virtual void SetClipboardText(const std::string& strText) = 0;

    // Nested dialogs, each run modally until it ends. Setup returns true on
    // OK, when the form holds the checked settings.
    virtual bool RunSetupDialog(SetupForm& form) = 0;
    virtual void RunNotesDialog(NotesScreen& notes) = 0;
    virtual void RunAboutDialog() = 0;
    // The end of the session: every nested dialog ends at once, innermost
    // first, without asking anything.
    virtual void CloseNestedDialogs() = 0;
    // Ends the main window's run (the program ends with it).
    virtual void EndMainWindow() = 0;
};
