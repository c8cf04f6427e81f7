// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/Win32MainWindow.h"

#include <windowsx.h>

#include <cstring>
#include <ctime>

#include "win/FormDialogs.h"
#include "win/Utf.h"
#include "win/Win32DialogView.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
// A single click on the tray icon waits this timer out: a double click is
// not also a single click.
constexpr UINT_PTR kTrayClickTimerId = 2;

// The class's icons, in the system's sizes; shared: the system frees them.
HICON LoadSharedIcon(int nSizeMetric) {
    const int nSide = GetSystemMetrics(nSizeMetric);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                         IMAGE_ICON, nSide, nSide, LR_SHARED));
}

// The icon drawn for this DPI from the nearest of its sizes; not shared, as
// its size is not the system's.
HICON LoadIconForDpi(int nSizeMetric, UINT nDpi) {
    const int nSide = GetSystemMetricsForDpi(nSizeMetric, nDpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                         IMAGE_ICON, nSide, nSide, 0));
}

bool IsSystemHighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

// A time-zone change announced as a setting.
bool IsTimeZoneSetting(LPARAM lParam) {
    const auto* pszSetting = reinterpret_cast<const wchar_t*>(lParam);
    return pszSetting && lstrcmpiW(pszSetting, L"TimeZone") == 0;
}

UINT TaskbarCreatedMessage() {
    static const UINT nMessage = RegisterWindowMessageW(L"TaskbarCreated");
    return nMessage;
}

}  // namespace

Win32MainWindow::Win32MainWindow(std::wstring strWindowClass)
    : DialogWindow(MainDialogTemplate(), nullptr, MainWindowFrame(strWindowClass.c_str())),
      m_strWindowClass(std::move(strWindowClass)),
      m_pfnIsHighContrast(&IsSystemHighContrast) {}

Win32MainWindow::~Win32MainWindow() {
    m_tray.reset();  // the icon goes before the window
}

UINT Win32MainWindow::ShowRequestMessage() {
    static const UINT nMessage = RegisterWindowMessageW(L"Brisaloo.ShowMainScreen");
    return nMessage;
}

bool Win32MainWindow::RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefDlgProcW;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadSharedIcon(SM_CXICON);
    windowClass.hIconSm = LoadSharedIcon(SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = m_strWindowClass.c_str();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Win32MainWindow::Create() {
    if (Hwnd()) return true;
    if (!m_pEvents || !RegisterWindowClass() || !CreateModeless(nullptr)) return false;
    ReadColours();
    m_tray.emplace(Hwnd(), nullptr);
    LoadIcons(GetDpiForWindow(Hwnd()));
    AddAboutToSystemMenu();
    return true;
}

int Win32MainWindow::DoModal() {
    if (!Create()) return -1;
    m_bRunning = true;
    m_pEvents->OnInitDialog();
    // The loop ends on WM_QUIT, which the window's destruction posts: a flag
    // checked between messages is not seen while GetMessage waits, and a
    // close sent from another process (End task, an installer) is handled
    // inside that wait.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!Hwnd() || !IsDialogMessageW(Hwnd(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    m_bRunning = false;
    return IDOK;
}

void Win32MainWindow::AddAboutToSystemMenu() {
    const HMENU hSystemMenu = GetSystemMenu(Hwnd(), FALSE);
    if (!hSystemMenu) return;
    AppendMenuW(hSystemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hSystemMenu, MF_STRING, IDM_ABOUTBOX, Utf16FromUtf8(kAboutMenuText).c_str());
}

bool Win32MainWindow::OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult) {
    if (!m_pEvents) return DialogWindow::OnMessage(nMessage, wParam, lParam, nResult);
    nResult = TRUE;
    switch (nMessage) {
        case WM_COMMAND:
            OnCommandMessage(wParam);
            return true;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
            m_pEvents->OnCommand(IDC_ABOUT);  // the same About box as the button
            return true;
        case WM_TIMER:
            if (wParam == kTimerId) m_pEvents->OnTimer();
            if (wParam == kTrayClickTimerId) OnTrayClickTimeOut();
            return true;
        case WM_TIMECHANGE:
            OnTimeChange();
            return true;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) OnColoursChanged();
            if (IsTimeZoneSetting(lParam)) OnTimeChange();
            return false;
        case WM_SYSCOLORCHANGE:
            OnColoursChanged();
            return false;
        case WM_DPICHANGED:
            LoadIcons(LOWORD(wParam));
            return false;
        case WM_SHOWWINDOW:
            if (wParam) m_pEvents->OnShown();
            return false;
        case TrayIcon::kTrayMessage:
            OnTrayMessage(wParam, lParam);
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
            nResult = Colours(reinterpret_cast<HDC>(wParam));
            return true;
        case WM_QUERYENDSESSION:
            m_pEvents->OnQueryEndSession();
            SetWindowLongPtrW(Hwnd(), DWLP_MSGRESULT, TRUE);  // the session may end
            return true;
        case WM_ENDSESSION:
            if (wParam) m_pEvents->OnEndSession();
            return true;
        case WM_DESTROY:
            if (m_tray) m_tray->Remove();
            if (m_bRunning) PostQuitMessage(0);
            return false;
        default:
            break;
    }
    if (nMessage == ShowRequestMessage()) {
        m_pEvents->OnShowRequested();
        return true;
    }
    if (nMessage == TaskbarCreatedMessage()) {
        // A new taskbar knows no icon; the screen decides whether to add it again.
        if (m_tray) m_tray->Forget();
        m_pEvents->OnTrayCreated();
        return true;
    }
    return DialogWindow::OnMessage(nMessage, wParam, lParam, nResult);
}

void Win32MainWindow::OnCommandMessage(WPARAM wParam) {
    const int nId = LOWORD(wParam);
    for (const TrayMenuItem& item : kTrayMenu) {
        if (item.nCommandId == nId) {
            m_pEvents->OnTrayCommand(item.command);
            return;
        }
    }
    if (HIWORD(wParam) == BN_CLICKED) m_pEvents->OnCommand(nId);
}

void Win32MainWindow::OnTrayMessage(WPARAM wParam, LPARAM lParam) {
    // The anchor in screen coordinates, signed: monitors left of or above the
    // primary one have negative ones.
    const POINT anchor{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
    switch (LOWORD(lParam)) {
        case NIN_SELECT:
            // The release that ends a double click selects too: it is part
            // of the double click.
            if (m_nDoubleClickTick && GetTickCount() - *m_nDoubleClickTick < GetDoubleClickTime())
                break;
            m_trayAnchor = anchor;
            SetTimer(Hwnd(), kTrayClickTimerId, GetDoubleClickTime(), nullptr);
            break;
        case NIN_KEYSELECT:   // Enter or Space on the icon
        case WM_CONTEXTMENU:  // a right click, Shift+F10, the Apps key
            KillTimer(Hwnd(), kTrayClickTimerId);
            m_trayAnchor = anchor;
            m_pEvents->OnTrayClick();
            break;
        case WM_LBUTTONDBLCLK:
            KillTimer(Hwnd(), kTrayClickTimerId);
            m_nDoubleClickTick = GetTickCount();
            m_pEvents->OnTrayDoubleClick();
            break;
        case NIN_BALLOONUSERCLICK:
            m_pEvents->OnTrayBalloonClick();
            break;
        default:
            break;
    }
}

void Win32MainWindow::OnTrayClickTimeOut() {
    KillTimer(Hwnd(), kTrayClickTimerId);
    m_pEvents->OnTrayClick();
}

void Win32MainWindow::OnTimeChange() {
    _tzset();  // the C runtime keeps the zone it read first
    m_pEvents->OnTimeChange();
}

// Black on white, or the system's colours while high contrast is on.
void Win32MainWindow::ReadColours() {
    const bool bHighContrast = m_pfnIsHighContrast();
    m_textColour = bHighContrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
    m_backColour = bHighContrast ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
    m_backBrush.Reset(CreateSolidBrush(m_backColour));
}

void Win32MainWindow::OnColoursChanged() {
    ReadColours();
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

INT_PTR Win32MainWindow::Colours(HDC hDC) {
    SetTextColor(hDC, m_textColour);
    SetBkColor(hDC, m_backColour);
    return reinterpret_cast<INT_PTR>(m_backBrush.Get());
}

void Win32MainWindow::LoadIcons(UINT nDpi) {
    UniqueIcon icon(LoadIconForDpi(SM_CXICON, nDpi));
    UniqueIcon smallIcon(LoadIconForDpi(SM_CXSMICON, nDpi));
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.Get()));
    if (m_tray) m_tray->SetIcon(smallIcon.Get());
    // The old ones go only now that nothing shows them.
    m_icon = std::move(icon);
    m_smallIcon = std::move(smallIcon);
}

void Win32MainWindow::SetDlgItemText(int nId, const std::string& strText) {
    SetControlText(Hwnd(), nId, strText);
}

void Win32MainWindow::SetCaption(const std::string& strCaption) {
    SetWindowTextW(Hwnd(), Utf16FromUtf8(strCaption).c_str());
}

void Win32MainWindow::StartTimer(int nPeriodMs) {
    SetTimer(Hwnd(), kTimerId, static_cast<UINT>(nPeriodMs), nullptr);
}

void Win32MainWindow::StopTimer() {
    KillTimer(Hwnd(), kTimerId);
}

TrayIconAnswer Win32MainWindow::AddTrayIcon(const std::string& strTip) {
    return m_tray->Add(strTip) ? TrayIconAnswer::Shown : TrayIconAnswer::Failed;
}

void Win32MainWindow::SetTrayTip(const std::string& strTip) {
    m_tray->SetTip(strTip);
}

void Win32MainWindow::RemoveTrayIcon() {
    m_tray->Remove();
}

bool Win32MainWindow::Notify(const std::string& strTitle, const std::string& strText) {
    return m_tray->ShowBalloon(strTitle, strText);
}

void Win32MainWindow::PopUpTrayMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (const TrayMenuItem& item : kTrayMenu)
        AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(item.nCommandId),
                    Utf16FromUtf8(item.pszText).c_str());
    POINT anchor{};
    if (m_trayAnchor) {
        anchor = *m_trayAnchor;
    } else {
        GetCursorPos(&anchor);
    }
    // The foreground first, so that a click elsewhere closes the menu; the
    // posted WM_NULL lets the menu close properly the next time.
    SetForegroundWindow(Hwnd());
    TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, anchor.x, anchor.y, Hwnd(),
                     nullptr);
    PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

void Win32MainWindow::HideWindow() {
    ::ShowWindow(Hwnd(), SW_HIDE);
}

void Win32MainWindow::MinimiseWindow() {
    ::ShowWindow(Hwnd(), SW_MINIMIZE);
}

void Win32MainWindow::ShowWindow() {
    ::ShowWindow(Hwnd(), IsIconic(Hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Hwnd());
}

void Win32MainWindow::SetClipboardText(const std::string& strText) {
    const std::wstring strWide = Utf16FromUtf8(strText);
    const std::size_t nBytes = (strWide.size() + 1) * sizeof(wchar_t);
    if (!OpenClipboard(Hwnd())) return;
    EmptyClipboard();
    if (const HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE, nBytes)) {
        if (void* pMemory = GlobalLock(hMemory)) {
            std::memcpy(pMemory, strWide.c_str(), nBytes);
            GlobalUnlock(hMemory);
            // The clipboard owns the block from here on; on failure it is still ours.
            if (!SetClipboardData(CF_UNICODETEXT, hMemory)) GlobalFree(hMemory);
        } else {
            GlobalFree(hMemory);
        }
    }
    CloseClipboard();
}

bool Win32MainWindow::RunSetupDialog(SetupForm& form) {
    return m_pMessages && ::RunSetupDialog(Hwnd(), form, *m_pMessages);
}

void Win32MainWindow::RunNotesDialog(NotesScreen& notes) {
    ::RunNotesDialog(Hwnd(), notes);
}

void Win32MainWindow::RunAboutDialog() {
    ::RunAboutDialog(Hwnd());
}

void Win32MainWindow::BringDialogForward() {
    // A message box the dialog opened is its last active pop-up.
    if (const HWND hDialog = DialogWindow::InnermostModal()) {
        const HWND hPopup = GetLastActivePopup(hDialog);
        SetForegroundWindow(hPopup ? hPopup : hDialog);
    }
}

void Win32MainWindow::CloseNestedDialogs() {
    DialogWindow::EndAllModal();
}

void Win32MainWindow::EndMainWindow() {
    m_bEnded = true;
    StopTimer();
    if (m_tray) m_tray->Remove();
    End(IDOK);
}
