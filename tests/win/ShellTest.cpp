// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 shell in process: dialogs built from the core's templates, the
// main window's messages reaching its events, the tray and the clipboard.
// Needs a display (Wine under Xvfb).
#include "win/Win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/DialogView.h"
#include "win/DialogWindow.h"
#include "win/Win32MainWindow.h"
#include "win/TrayIcon.h"
#include "win/Utf.h"
#include "win/Win32DialogView.h"

namespace {

struct Recorder final : IDialogEvents, IMainWindowEvents {
    std::vector<std::string> events;
    void Add(std::string strEvent) { events.push_back(std::move(strEvent)); }

    void OnInitDialog(DialogWindow&) override { Add("init"); }
    void OnCommand(DialogWindow&, int nId, int nCode) override {
        Add("command " + std::to_string(nId) + " " + std::to_string(nCode));
    }
    void OnInitDialog() override { Add("init"); }
    void OnCommand(int nId) override { Add("command " + std::to_string(nId)); }
    void OnTimer() override { Add("timer"); }
    void OnTimeChange() override { Add("time change"); }
    void OnShown() override { Add("shown"); }
    void OnTrayClick() override { Add("tray click"); }
    void OnTrayDoubleClick() override { Add("tray double click"); }
    void OnTrayBalloonClick() override { Add("balloon click"); }
    void OnTrayCommand(TrayCommand command) override {
        Add("tray command " + std::to_string(static_cast<int>(command)));
    }
    void OnTrayCreated() override { Add("tray created"); }
    void OnShowRequested() override { Add("show requested"); }
    void OnQueryEndSession() override { Add("query end session"); }
    void OnEndSession() override { Add("end session"); }
};

std::wstring ClassOf(HWND hWnd) {
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    return szClass;
}

const wchar_t* ExpectedClass(ControlTemplate::Kind kind) {
    switch (kind) {
        case ControlTemplate::PushButton:
        case ControlTemplate::DefaultButton:
        case ControlTemplate::GroupBox:
        case ControlTemplate::CheckBox:
            return L"Button";
        case ControlTemplate::Label:
        case ControlTemplate::Icon:
            return L"Static";
        case ControlTemplate::ListBox:
            return L"ListBox";
        default:
            return L"Edit";
    }
}

std::wstring WindowText(HWND hWnd) {
    wchar_t szText[256] = {};
    GetWindowTextW(hWnd, szText, 256);
    return szText;
}

bool IsButton(ControlTemplate::Kind kind) {
    return kind == ControlTemplate::PushButton || kind == ControlTemplate::DefaultButton ||
           kind == ControlTemplate::CheckBox;
}

class DialogTest : public testing::TestWithParam<const DialogTemplate*> {};

bool IsHiddenLabel(HWND hWnd) {
    return ClassOf(hWnd) == L"Static" && !(GetWindowLongW(hWnd, GWL_STYLE) & WS_VISIBLE);
}

// Every control of the template is there once under its id, of its class,
// with its text; the tab stops come in template order; a click on each button
// reaches the events.
TEST_P(DialogTest, BuildsEveryControlAndForwardsClicks) {
    const DialogTemplate& dialog = *GetParam();
    Recorder recorder;
    DialogWindow window(dialog, &recorder);
    const HWND hDlg = window.CreateModeless(nullptr);
    ASSERT_NE(hDlg, nullptr) << dialog.pszName;
    ASSERT_FALSE(recorder.events.empty());
    EXPECT_EQ(recorder.events.front(), "init");

    std::vector<HWND> children;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        if (!IsHiddenLabel(hChild)) children.push_back(hChild);
    EXPECT_EQ(children.size(), dialog.controls.size()) << dialog.pszName;
    std::vector<int> tabStops;
    for (const HWND hChild : children)
        if (GetWindowLongW(hChild, GWL_STYLE) & WS_TABSTOP)
            tabStops.push_back(GetDlgCtrlID(hChild));
    std::vector<int> templateTabStops;
    for (const ControlTemplate& control : dialog.controls) {
        SCOPED_TRACE(std::string(dialog.pszName) + " " + control.pszText);
        int nMatches = 0;
        for (const HWND hChild : children) {
            if (GetDlgCtrlID(hChild) != control.nId ||
                ClassOf(hChild) != ExpectedClass(control.kind))
                continue;
            if (control.kind == ControlTemplate::Icon ||
                Utf8FromUtf16(WindowText(hChild)) == control.pszText)
                ++nMatches;
        }
        EXPECT_EQ(nMatches, 1);
        if (control.nId != -1 && control.kind != ControlTemplate::Label &&
            control.kind != ControlTemplate::GroupBox && control.kind != ControlTemplate::Icon &&
            control.kind != ControlTemplate::BannerField)
            templateTabStops.push_back(control.nId);
    }
    EXPECT_EQ(tabStops, templateTabStops) << dialog.pszName;

    // The clicks (BN_CLICKED, 0) among the commands: the focus moving to a
    // button also makes the edit it left say so.
    for (const ControlTemplate& control : dialog.controls) {
        if (!IsButton(control.kind)) continue;
        recorder.events.clear();
        SendDlgItemMessageW(hDlg, control.nId, BM_CLICK, 0, 0);
        std::vector<std::string> clicks;
        for (const std::string& strEvent : recorder.events)
            if (strEvent.ends_with(" 0")) clicks.push_back(strEvent);
        EXPECT_EQ(clicks, std::vector<std::string>{"command " + std::to_string(control.nId) + " 0"})
            << control.pszText;
    }
}

// What a screen reader on Windows names each field: the static text just
// before it in the z-order (a check box its own text).
TEST_P(DialogTest, FieldsReadAsTheirTemplateNames) {
    const DialogTemplate& dialog = *GetParam();
    DialogWindow window(dialog, nullptr);
    const HWND hDlg = window.CreateModeless(nullptr);
    ASSERT_NE(hDlg, nullptr);
    for (const ControlTemplate& control : dialog.controls) {
        if (!control.pszAccessibleName) continue;
        const HWND hControl = GetDlgItem(hDlg, control.nId);
        const HWND hLabel = IsButton(control.kind) ? hControl : GetWindow(hControl, GW_HWNDPREV);
        ASSERT_NE(hLabel, nullptr) << control.pszAccessibleName;
        EXPECT_EQ(ClassOf(hLabel), IsButton(control.kind) ? L"Button" : L"Static");
        EXPECT_EQ(Utf8FromUtf16(WindowText(hLabel)), control.pszAccessibleName)
            << dialog.pszName << " " << control.nId;
    }
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, DialogTest, testing::ValuesIn(AllDialogTemplates()),
                         [](const auto& info) { return std::string(info.param->pszName); });

// A label as wide as its text, whatever the desktop's font.
TEST(DialogTest, LabelsShowTheirWholeText) {
    DialogWindow window(MainDialogTemplate(), nullptr);
    const HWND hDlg = window.CreateModeless(nullptr);
    ASSERT_NE(hDlg, nullptr);
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (ClassOf(hChild) != L"Static") continue;
        const std::wstring strText = WindowText(hChild);
        const HDC hDC = GetDC(hChild);
        SelectObject(hDC, reinterpret_cast<HFONT>(SendMessageW(hChild, WM_GETFONT, 0, 0)));
        SIZE textSize{};
        GetTextExtentPoint32W(hDC, strText.c_str(), static_cast<int>(strText.size()), &textSize);
        ReleaseDC(hChild, hDC);
        RECT rect{};
        GetClientRect(hChild, &rect);
        EXPECT_GE(rect.right, textSize.cx) << Utf8FromUtf16(strText);
    }
}

TEST(DialogTest, SubjectTakesAtMostItsLimit) {
    DialogWindow window(AddNoteDialogTemplate(), nullptr);
    const HWND hDlg = window.CreateModeless(nullptr);
    EXPECT_EQ(SendDlgItemMessageW(hDlg, IDC_ADDNOTE_SUBJECT, EM_GETLIMITTEXT, 0, 0), 75);
}

TEST(DialogViewTest, ListRowsStayInInsertionOrder) {
    DialogWindow window(NotesDialogTemplate(), nullptr);
    ASSERT_NE(window.CreateModeless(nullptr), nullptr);
    IDialogView& view = window.View();
    view.ResetList(IDC_NOTE_LIST, {"Zebra", "apple", "Mango"});
    view.InsertListRow(IDC_NOTE_LIST, 1, "Ärger");
    std::vector<std::string> rows;
    const HWND hList = GetDlgItem(window.Hwnd(), IDC_NOTE_LIST);
    for (int i = 0; i < SendMessageW(hList, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t szRow[64] = {};
        SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szRow));
        rows.push_back(Utf8FromUtf16(szRow));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"Zebra", "Ärger", "apple", "Mango"}));
    EXPECT_EQ(view.GetListSelection(IDC_NOTE_LIST), -1);
    view.SetListSelection(IDC_NOTE_LIST, 2);
    EXPECT_EQ(view.GetListSelection(IDC_NOTE_LIST), 2);
}

TEST(DialogViewTest, TextsCrossAsUtf8) {
    DialogWindow window(NotesDialogTemplate(), nullptr);
    ASSERT_NE(window.CreateModeless(nullptr), nullptr);
    const std::string strBody = "Z\xC3\xBCrich\r\n\xF0\x9F\x9A\x86 12:30";  // Zürich, a train
    window.View().SetItemText(IDC_NOTE_BODY, strBody);
    EXPECT_EQ(window.View().GetItemText(IDC_NOTE_BODY), strBody);
}

struct MainWindowTest : testing::Test {
    void SetUp() override {
        window.SetEvents(recorder);
        ASSERT_TRUE(window.Create());
        recorder.events.clear();
    }
    LRESULT Send(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(window.Hwnd(), nMessage, wParam, lParam);
    }
    Recorder recorder;
    Win32MainWindow window{L"BrisalooShellTest"};
};

TEST_F(MainWindowTest, ButtonsReachTheEvents) {
    for (const ControlTemplate& control : MainDialogTemplate().controls) {
        if (!IsButton(control.kind)) continue;
        recorder.events.clear();
        SendDlgItemMessageW(window.Hwnd(), control.nId, BM_CLICK, 0, 0);
        EXPECT_EQ(recorder.events,
                  std::vector<std::string>{"command " + std::to_string(control.nId)});
    }
}

TEST_F(MainWindowTest, MessagesBecomeEvents) {
    struct Row {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
        const char* pszEvent;
    };
    const Row rows[] = {
        {WM_TIMER, 1, 0, "timer"},
        {WM_TIMECHANGE, 0, 0, "time change"},
        {WM_SYSCOMMAND, IDM_ABOUTBOX, 0, "command 1020"},
        {TrayIcon::kTrayMessage, 0, MAKELPARAM(NIN_KEYSELECT, kTrayIconId), "tray click"},
        {TrayIcon::kTrayMessage, 0, MAKELPARAM(NIN_BALLOONUSERCLICK, kTrayIconId), "balloon click"},
        {TrayIcon::kTrayMessage, 0, MAKELPARAM(WM_MOUSEMOVE, kTrayIconId), nullptr},
        {WM_COMMAND, 32778, 0, "tray command 0"},
        {WM_COMMAND, 32780, 0, "tray command 1"},
        {WM_COMMAND, 32777, 0, "tray command 2"},
        {WM_COMMAND, 32779, 0, "tray command 3"},
        {Win32MainWindow::ShowRequestMessage(), 0, 0, "show requested"},
        {WM_QUERYENDSESSION, 0, 0, "query end session"},
        {WM_ENDSESSION, TRUE, 0, "end session"},
        {WM_ENDSESSION, FALSE, 0, nullptr},  // the end was called off
    };
    for (const Row& row : rows) {
        recorder.events.clear();
        Send(row.nMessage, row.wParam, row.lParam);
        const std::vector<std::string> expected =
            row.pszEvent ? std::vector<std::string>{row.pszEvent} : std::vector<std::string>{};
        EXPECT_EQ(recorder.events, expected) << "message " << row.nMessage;
    }
}

// Runs the messages that arrive for nMs, timers included.
void PumpMessagesFor(DWORD nMs) {
    const DWORD nStart = GetTickCount();
    for (DWORD nPassed = 0; nPassed < nMs; nPassed = GetTickCount() - nStart) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, nMs - nPassed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
}

// A single click opens the menu once the double-click time has passed, so a
// double click only shows the window; the context-menu keys and the right
// button open the menu at once.
TEST_F(MainWindowTest, TrayClicksAsOnWindows) {
    struct Row {
        const char* pszName;
        std::vector<WORD> trayEvents;
        std::vector<std::string> at_once;
        std::vector<std::string> after_the_double_click_time;
    };
    const Row rows[] = {
        {"single click", {NIN_SELECT}, {}, {"tray click"}},
        {"double click",
         {NIN_SELECT, WM_LBUTTONDBLCLK, NIN_SELECT},
         {"tray double click"},
         {"tray double click"}},
        {"right click, Shift+F10, Apps key", {WM_CONTEXTMENU}, {"tray click"}, {"tray click"}},
    };
    for (const Row& row : rows) {
        recorder.events.clear();
        for (const WORD nEvent : row.trayEvents)
            Send(TrayIcon::kTrayMessage, MAKEWPARAM(-20, 30), MAKELPARAM(nEvent, kTrayIconId));
        EXPECT_EQ(recorder.events, row.at_once) << row.pszName;
        PumpMessagesFor(GetDoubleClickTime() + 200);
        EXPECT_EQ(recorder.events, row.after_the_double_click_time) << row.pszName;
    }
}

// A change of the clock or of the zone reaches the screen with the C
// runtime's zone read again.
TEST_F(MainWindowTest, TimeChangesRereadTheZone) {
    struct Row {
        UINT nMessage;
        const wchar_t* pszSetting;
        bool bTimeChange;
    };
    const Row rows[] = {
        {WM_TIMECHANGE, nullptr, true},
        {WM_SETTINGCHANGE, L"TimeZone", true},
        {WM_SETTINGCHANGE, L"intl", false},
    };
    const char* pszOldZone = std::getenv("TZ");
    const std::string strOldZone = pszOldZone ? pszOldZone : "";
    for (const Row& row : rows) {
        _putenv_s("TZ", "UTC0");
        _tzset();
        _putenv_s("TZ", "EST5");  // the zone changes; the runtime has not looked yet
        recorder.events.clear();
        Send(row.nMessage, 0, reinterpret_cast<LPARAM>(row.pszSetting));
        EXPECT_EQ(_timezone, row.bTimeChange ? 5 * 3600 : 0) << row.nMessage;
        EXPECT_EQ(recorder.events, row.bTimeChange ? std::vector<std::string>{"time change"}
                                                   : std::vector<std::string>{});
    }
    _putenv_s("TZ", strOldZone.c_str());
    _tzset();
}

int IconWidth(HICON hIcon) {
    ICONINFO info{};
    if (!GetIconInfo(hIcon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The window's icons are drawn for the DPI of the monitor it is on.
TEST_F(MainWindowTest, IconsFollowTheDpi) {
    for (const UINT nDpi : {144u, 192u, 96u}) {
        RECT rect{};
        GetWindowRect(window.Hwnd(), &rect);
        Send(WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), reinterpret_cast<LPARAM>(&rect));
        const auto hIcon = reinterpret_cast<HICON>(Send(WM_GETICON, ICON_BIG));
        const auto hSmallIcon = reinterpret_cast<HICON>(Send(WM_GETICON, ICON_SMALL));
        EXPECT_EQ(IconWidth(hIcon), GetSystemMetricsForDpi(SM_CXICON, nDpi)) << nDpi;
        EXPECT_EQ(IconWidth(hSmallIcon), GetSystemMetricsForDpi(SM_CXSMICON, nDpi)) << nDpi;
    }
}

TEST_F(MainWindowTest, SystemMenuEndsWithAbout) {
    const HMENU hMenu = GetSystemMenu(window.Hwnd(), FALSE);
    const int nCount = GetMenuItemCount(hMenu);
    ASSERT_GE(nCount, 2);
    EXPECT_EQ(GetMenuItemID(hMenu, nCount - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t szText[64] = {};
    GetMenuStringW(hMenu, nCount - 1, szText, 64, MF_BYPOSITION);
    EXPECT_EQ(Utf8FromUtf16(szText), kAboutMenuText);
    EXPECT_EQ(GetMenuState(hMenu, nCount - 2, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
}

// The pause banner and the read-only fields draw black on white.
TEST_F(MainWindowTest, TextFieldsAreBlackOnWhite) {
    const HDC hDC = GetDC(window.Hwnd());
    for (const int nId : {IDC_PAUSE_TEXT, IDC_DAYS, IDC_TOTAL_SECONDS, IDC_TRIVIA_QUESTION}) {
        SetTextColor(hDC, RGB(1, 2, 3));
        SetBkColor(hDC, RGB(4, 5, 6));
        const auto hBrush = reinterpret_cast<HBRUSH>(
            Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                 reinterpret_cast<LPARAM>(GetDlgItem(window.Hwnd(), nId))));
        LOGBRUSH brush{};
        ASSERT_TRUE(GetObjectW(hBrush, sizeof brush, &brush)) << nId;
        EXPECT_EQ(brush.lbColor, RGB(255, 255, 255)) << nId;
        EXPECT_EQ(GetTextColor(hDC), RGB(0, 0, 0)) << nId;
        EXPECT_EQ(GetBkColor(hDC), RGB(255, 255, 255)) << nId;
    }
    ReleaseDC(window.Hwnd(), hDC);
}

// In high contrast the fields take the system's colours, and the banner's
// text still shows on its background.
TEST_F(MainWindowTest, HighContrastUsesTheSystemColours) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    const COLORREF oldColours[] = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)};
    const COLORREF contrastColours[] = {RGB(0, 0, 0x80), RGB(255, 255, 0)};
    ASSERT_TRUE(SetSysColors(2, elements, contrastColours));
    window.SetHighContrastSource([] { return true; });
    Send(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);

    const HDC hDC = GetDC(window.Hwnd());
    for (const int nId : {IDC_PAUSE_TEXT, IDC_DAYS, IDC_TOTAL_SECONDS, IDC_TRIVIA_QUESTION}) {
        const auto hBrush = reinterpret_cast<HBRUSH>(
            Send(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC),
                 reinterpret_cast<LPARAM>(GetDlgItem(window.Hwnd(), nId))));
        LOGBRUSH brush{};
        ASSERT_TRUE(GetObjectW(hBrush, sizeof brush, &brush)) << nId;
        EXPECT_EQ(brush.lbColor, RGB(0, 0, 0x80)) << nId;
        EXPECT_EQ(GetTextColor(hDC), RGB(255, 255, 0)) << nId;
        EXPECT_EQ(GetBkColor(hDC), RGB(0, 0, 0x80)) << nId;
    }
    ReleaseDC(window.Hwnd(), hDC);
    SetSysColors(2, elements, oldColours);
}

TEST_F(MainWindowTest, ViewWritesControlsCaptionAndClipboard) {
    window.SetDlgItemText(IDC_PAUSE_TEXT, "***PAUSED***");
    EXPECT_EQ(GetControlText(window.Hwnd(), IDC_PAUSE_TEXT), "***PAUSED***");
    window.SetCaption("Brisaloo (-3 Days -4 Hrs -5 Min)");
    wchar_t szCaption[64] = {};
    GetWindowTextW(window.Hwnd(), szCaption, 64);
    EXPECT_EQ(Utf8FromUtf16(szCaption), "Brisaloo (-3 Days -4 Hrs -5 Min)");

    const std::string strLine = "3 Days 4 Hrs 5 Mins 6 Secs \xE2\x9C\x88";  // and a plane
    window.SetClipboardText(strLine);
    ASSERT_TRUE(OpenClipboard(window.Hwnd()));
    const HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(hData, nullptr);
    EXPECT_EQ(Utf8FromUtf16(static_cast<const wchar_t*>(GlobalLock(hData))), strLine);
    GlobalUnlock(hData);
    CloseClipboard();
}

TEST_F(MainWindowTest, TrayIconIsAddedAndRemoved) {
    if (!TrayIcon::IsAvailable()) GTEST_SKIP() << "no notification area on this desktop";
    EXPECT_TRUE(window.Tray().Add("Brisaloo: D:3 H:4 M:5"));
    EXPECT_TRUE(window.Tray().IsAdded());
    EXPECT_TRUE(window.Tray().SetTip("Brisaloo: D:3 H:4 M:4"));
    EXPECT_TRUE(window.Tray().ShowBalloon("Brisaloo", "You have arrived!"));
    EXPECT_TRUE(window.Tray().Remove());
    EXPECT_FALSE(window.Tray().IsAdded());
    // Gone: the shell no longer knows the icon.
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = window.Hwnd();
    record.uID = kTrayIconId;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &record));
}

}  // namespace
