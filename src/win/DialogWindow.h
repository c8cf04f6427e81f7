// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "win/DialogBuilder.h"

class DialogWindow;
class IDialogView;

// What a dialog built by the shell reports to whatever drives it (an adapter
// over one of the core's forms): that it exists, and each command of its
// controls. Escape and the system menu's Close arrive as IDCANCEL.
class IDialogEvents {
public:
    virtual ~IDialogEvents() = default;
    virtual void OnInitDialog(DialogWindow& dialog) = 0;
    // nNotifyCode: BN_CLICKED for a button, LBN_SELCHANGE for a list box, ...
    virtual void OnCommand(DialogWindow& dialog, int nId, int nNotifyCode) = 0;
};

// One dialog window built from a core template, run modally or created
// modeless. The window procedure finds its object through DWLP_USER, set from
// the creation parameter in WM_INITDIALOG.
class DialogWindow {
public:
    DialogWindow(const DialogTemplate& dialog, IDialogEvents* pEvents,
                 DialogFrame frame = ModalDialogFrame());
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Runs the dialog until End; returns End's code (-1: it could not be made).
    int RunModal(HWND hOwner);
    // Creates the window without showing it, for a main window or a test.
    HWND CreateModeless(HWND hOwner);
    // Ends a modal run with nResult, or destroys a modeless window.
    void End(int nResult);

    HWND Hwnd() const { return m_hWnd; }
    const DialogTemplate& Template() const { return m_dialog; }
    IDialogView& View() { return *m_pView; }

    // Ends every modal dialog that is open, innermost first (the session ends).
    static void EndAllModal();
    // The innermost modal dialog's window, or nullptr.
    static HWND InnermostModal();

protected:
    // A message before the default handling; true when handled, with the
    // dialog procedure's result in nResult.
    virtual bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);

    const DialogTemplate& m_dialog;
    IDialogEvents* m_pEvents;
    DialogTemplateBuffer m_template;
    HWND m_hWnd = nullptr;
    bool m_bModal = false;
    std::unique_ptr<IDialogView> m_pView;
    DialogWindow* m_pOuterModal = nullptr;  // the modal dialog this one runs inside
};
