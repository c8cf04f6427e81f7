// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/DialogWindow.h"

#include "win/Win32DialogView.h"

namespace {

// The innermost modal dialog of the user-interface thread, or nullptr.
DialogWindow* g_pInnermostModal = nullptr;

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialog, IDialogEvents* pEvents, DialogFrame frame)
    : m_dialog(dialog), m_pEvents(pEvents), m_template(dialog, frame) {}

DialogWindow::~DialogWindow() {
    if (m_hWnd && !m_bModal) DestroyWindow(m_hWnd);
}

int DialogWindow::RunModal(HWND hOwner) {
    m_bModal = true;
    m_pOuterModal = g_pInnermostModal;
    g_pInnermostModal = this;
    const INT_PTR nResult =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), m_template.Data(), hOwner, &DialogProc,
                                reinterpret_cast<LPARAM>(this));
    g_pInnermostModal = m_pOuterModal;
    m_hWnd = nullptr;
    m_bModal = false;
    return static_cast<int>(nResult);
}

HWND DialogWindow::CreateModeless(HWND hOwner) {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), m_template.Data(), hOwner,
                                      &DialogProc, reinterpret_cast<LPARAM>(this));
}

void DialogWindow::End(int nResult) {
    if (!m_hWnd) return;
    if (m_bModal) {
        EndDialog(m_hWnd, nResult);
    } else {
        DestroyWindow(m_hWnd);
    }
}

void DialogWindow::EndAllModal() {
    for (DialogWindow* pDialog = g_pInnermostModal; pDialog; pDialog = pDialog->m_pOuterModal)
        pDialog->End(IDCANCEL);
}

HWND DialogWindow::InnermostModal() {
    return g_pInnermostModal ? g_pInnermostModal->m_hWnd : nullptr;
}

void DialogWindow::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    m_pView = std::make_unique<Win32DialogView>(hWnd);
    SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    AdjustControls(hWnd, m_dialog);
}

bool DialogWindow::OnMessage(UINT nMessage, WPARAM wParam, LPARAM, INT_PTR& nResult) {
    switch (nMessage) {
        case WM_INITDIALOG:
            if (m_pEvents) m_pEvents->OnInitDialog(*this);
            nResult = TRUE;  // the dialog manager gives the focus to the first tab stop
            return true;
        case WM_COMMAND:
            if (m_pEvents) {
                m_pEvents->OnCommand(*this, LOWORD(wParam), HIWORD(wParam));
            } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                End(LOWORD(wParam));  // a dialog nobody drives, such as About
            }
            nResult = TRUE;
            return true;
        case WM_NCDESTROY:
            m_hWnd = nullptr;
            return false;
        default:
            return false;
    }
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    auto* pDialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (nMessage == WM_INITDIALOG) {
        pDialog = reinterpret_cast<DialogWindow*>(lParam);
        pDialog->Attach(hWnd);
    }
    if (!pDialog) return FALSE;
    INT_PTR nResult = FALSE;
    return pDialog->OnMessage(nMessage, wParam, lParam, nResult) ? nResult : FALSE;
}
