// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its dialogs wired to the core's screen and forms, in
// process: what the user clicks and types reaches the core, and what the core
// decides reaches the controls, the clipboard and notes.dat. The decisions
// themselves are the core's tests. Needs a display (Wine under Xvfb).
#include "win/Win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/UserMessages.h"
#include "countdown/CTime.h"
#include "countdown/Clock.h"
#include "files/FileIo.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"
#include "win/CountdownWindow.h"
#include "win/TrayIcon.h"
#include "win/Utf.h"
#include "win/Win32DialogView.h"

namespace {

struct MessageRecorder final : IUserMessages {
    std::vector<std::string> shown;
    void Inform(const std::string& strText) override { shown.push_back(strText); }
    void Warn(const std::string& strText) override { shown.push_back(strText); }
    bool AskYesNo(const std::string& strText) override {
        shown.push_back(strText);
        return false;
    }
};

// Steps run from inside the modal loops: each on the dialog with its caption,
// once that dialog is shown. A step may open the next dialog.
struct Step {
    std::wstring strCaption;
    std::function<void(HWND)> run;
};
std::deque<Step> g_steps;

void CALLBACK RunDueStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty()) return;
    const HWND hDialog = FindWindowW(L"#32770", g_steps.front().strCaption.c_str());
    if (!hDialog || !IsWindowVisible(hDialog)) return;
    const Step step = g_steps.front();
    g_steps.pop_front();
    step.run(hDialog);
}

void Click(HWND hDialog, int nId) {
    SendDlgItemMessageW(hDialog, nId, BM_CLICK, 0, 0);
}

// In the open Notes dialog: adds the note "Packing" with the body "Socks",
// selects it and types pszTyped at the end of its body, as the keyboard would.
void AddPackingNoteAndType(HWND hNotes, const wchar_t* pszTyped) {
    g_steps.push_back({L"Brisaloo: Add a Note", [](HWND hAdd) {
                           SetDlgItemTextW(hAdd, IDC_ADDNOTE_SUBJECT, L"Packing");
                           SetDlgItemTextW(hAdd, IDC_ADDNOTE_BODY, L"Socks");
                           Click(hAdd, IDOK);
                       }});
    Click(hNotes, IDC_NOTE_ADD);
    const HWND hList = GetDlgItem(hNotes, IDC_NOTE_LIST);
    SendMessageW(hList, LB_SETCURSEL, 0, 0);
    SendMessageW(hNotes, WM_COMMAND, MAKEWPARAM(IDC_NOTE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hList));
    const HWND hBody = GetDlgItem(hNotes, IDC_NOTE_BODY);
    SendMessageW(hBody, EM_SETSEL, 5, 5);
    SendMessageW(hBody, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pszTyped));
}

struct WiringTest : testing::Test {
    void SetUp() override {
        profile.Set("DESTINATION", "YEAR", 2030);
        profile.Set("DESTINATION", "MONTH", 1);
        profile.Set("DESTINATION", "DAY", 10);
        profile.Set("DESTINATION", "HOUR", 12);
        profile.Set("DESTINATION", "MINUTE", 0);
        StartupOptions options;
        options.strExePath = dir.Str() + "/brisaloo.exe";
        options.strDataDir = dir.Str();
        app.LoadPathsAndSettings(options);
        window.emplace(app, clock, L"BrisalooWiringTest", messages);
        ASSERT_TRUE(window->Window().Create());
        window->Screen().OnInitDialog();
        ShowWindow(Hwnd(), SW_SHOW);
        m_nTimer = SetTimer(nullptr, 0, 20, &RunDueStep);
    }
    void TearDown() override {
        window.reset();
        KillTimer(nullptr, m_nTimer);
        g_steps.clear();
        EXPECT_TRUE(profile.Writes().empty()) << "only Setup's OK writes the profile";
    }
    HWND Hwnd() { return window->Window().Hwnd(); }
    std::string Field(int nId) { return GetControlText(Hwnd(), nId); }

    TempDir dir;
    MemoryProfile profile;
    CCountdownApp app{profile};
    FixedClock clock{CTime(2030, 1, 7, 9, 30, 15).GetTime()};
    MessageRecorder messages;
    std::optional<CountdownWindow> window;  // made once the paths are known
    UINT_PTR m_nTimer = 0;
};

TEST_F(WiringTest, ButtonsReachTheScreen) {
    const HWND hMain = Hwnd();
    clock.Advance(1);
    SendMessageW(Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(Field(IDC_DAYS), "3");
    EXPECT_EQ(Field(IDC_HOURS), "2");
    EXPECT_EQ(Field(IDC_MINUTES), "29");
    EXPECT_EQ(Field(IDC_SECONDS), "44");

    Click(Hwnd(), IDC_COPY);
    ASSERT_TRUE(OpenClipboard(Hwnd()));
    const HANDLE hData = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(hData, nullptr);
    EXPECT_EQ(Utf8FromUtf16(static_cast<const wchar_t*>(GlobalLock(hData))),
              "3 Days 2 Hrs 29 Mins 44 Secs");
    GlobalUnlock(hData);
    CloseClipboard();

    Click(Hwnd(), IDC_PAUSE);
    EXPECT_EQ(Field(IDC_PAUSE_TEXT), "***PAUSED***");

    Click(Hwnd(), IDC_HIDE);
    if (window->Window().Tray().IsAdded())
        EXPECT_FALSE(IsWindowVisible(Hwnd()));
    else
        EXPECT_TRUE(IsIconic(Hwnd())) << "without a tray the window is minimised";
    window->Screen().OnShowMainScreen();

    Click(Hwnd(), IDOK);
    EXPECT_TRUE(window->Screen().IsEnded());
    EXPECT_FALSE(IsWindow(hMain));
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = hMain;
    record.uID = kTrayIconId;
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &record)) << "the tray icon is gone";
}

// A double click on the tray icon and a click on the arrival notification
// bring the hidden window back.
TEST_F(WiringTest, TrayShowsTheHiddenWindow) {
    for (const WORD nEvent : {WM_LBUTTONDBLCLK, NIN_BALLOONUSERCLICK}) {
        ShowWindow(Hwnd(), SW_HIDE);
        SendMessageW(Hwnd(), TrayIcon::kTrayMessage, 0, MAKELPARAM(nEvent, kTrayIconId));
        EXPECT_TRUE(IsWindowVisible(Hwnd())) << nEvent;
    }
}

TEST_F(WiringTest, SetupRefusesABadDayAndStaysOpen) {
    messages.shown.clear();
    g_steps.push_back({L"Brisaloo Setup", [&](HWND hSetup) {
                           SetDlgItemTextW(hSetup, IDC_SETUP_DAY, L"32");
                           Click(hSetup, IDOK);
                           EXPECT_EQ(messages.shown.size(), 1u);
                           EXPECT_TRUE(IsWindow(hSetup));
                           EXPECT_EQ(GetFocus(), GetDlgItem(hSetup, IDC_SETUP_DAY));
                           Click(hSetup, IDCANCEL);
                       }});
    Click(Hwnd(), IDC_SETUP);
    EXPECT_TRUE(g_steps.empty());
}

TEST_F(WiringTest, NoteAddedAndEditedThroughTheDialogsIsSaved) {
    g_steps.push_back({L"Brisaloo: Notes", [](HWND hNotes) {
                           AddPackingNoteAndType(hNotes, L"\r\nHat");
                           Click(hNotes, IDOK);
                       }});
    Click(Hwnd(), IDC_NOTES);
    EXPECT_TRUE(g_steps.empty());
    std::string strBytes;
    ASSERT_TRUE(ReadWholeFile(app.m_strNotesPath, strBytes));
    // notes.dat writes each LF of a body as CR LF, as it always has.
    EXPECT_EQ(strBytes, "Packing\r\nSocks\r\r\nHat\r\n.\r\n");
}

// The tray's Notes and a double click on the icon while Notes is open: the
// open dialog comes forward, no second one opens.
HWND g_hFirstNotes = nullptr;
int g_nMostNotes = 0;

BOOL CALLBACK CountNotes(HWND hWnd, LPARAM lParam) {
    wchar_t szCaption[64] = {};
    GetWindowTextW(hWnd, szCaption, 64);
    if (!IsWindowVisible(hWnd) || std::wstring(szCaption) != L"Brisaloo: Notes") return TRUE;
    ++*reinterpret_cast<int*>(lParam);
    // A second one is cancelled, so that the test ends.
    if (g_hFirstNotes && hWnd != g_hFirstNotes) PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK WatchNotes(HWND, UINT, UINT_PTR, DWORD) {
    int nNotes = 0;
    EnumWindows(&CountNotes, reinterpret_cast<LPARAM>(&nNotes));
    g_nMostNotes = std::max(g_nMostNotes, nNotes);
}

TEST_F(WiringTest, TrayWhileNotesIsOpenBringsItForward) {
    g_nMostNotes = 0;
    const UINT_PTR nWatch = SetTimer(nullptr, 0, 20, &WatchNotes);
    g_steps.push_back({L"Brisaloo: Notes", [&](HWND hNotes) {
                           g_hFirstNotes = hNotes;
                           const HWND hMain = Hwnd();
                           SendMessageW(hMain, WM_COMMAND, kTrayMenu[1].nCommandId, 0);
                           SendMessageW(hMain, TrayIcon::kTrayMessage, 0, WM_LBUTTONDBLCLK);
                           EXPECT_TRUE(IsWindowVisible(hMain));
                           WatchNotes(nullptr, 0, 0, 0);
                           Click(hNotes, IDOK);
                       }});
    Click(Hwnd(), IDC_NOTES);
    KillTimer(nullptr, nWatch);
    g_hFirstNotes = nullptr;
    EXPECT_TRUE(g_steps.empty());
    EXPECT_EQ(g_nMostNotes, 1);
    EXPECT_EQ(window->Screen().OpenDialog(), NestedDialog::None);
}

// Exit from the tray while a note is being edited: the edit is saved, the
// dialogs close and the window ends.
TEST_F(WiringTest, TrayExitWhileANoteIsEditedSavesTheEdit) {
    const HWND hMain = Hwnd();
    g_steps.push_back({L"Brisaloo: Notes", [&](HWND hNotes) {
                           AddPackingNoteAndType(hNotes, L", hat");
                           SendMessageW(hMain, WM_COMMAND, kTrayMenu[3].nCommandId, 0);
                       }});
    Click(hMain, IDC_NOTES);
    EXPECT_TRUE(g_steps.empty());
    EXPECT_TRUE(window->Screen().IsEnded());
    EXPECT_FALSE(IsWindow(hMain));
    std::string strBytes;
    ASSERT_TRUE(ReadWholeFile(app.m_strNotesPath, strBytes));
    EXPECT_EQ(strBytes, "Packing\r\nSocks, hat\r\n.\r\n");
}

}  // namespace
