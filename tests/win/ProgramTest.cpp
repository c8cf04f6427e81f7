// SPDX-License-Identifier: GPL-3.0-or-later
// brisaloo.exe as built: its resources, and one copy per data folder.
#include "win/Win32.h"

#include <gtest/gtest.h>

#include <string>

#include "win/Handles.h"
#include "win/SingleInstance.h"
#include "win/Utf.h"
#include "win/Win32MainWindow.h"

#ifndef BRISALOO_EXE
#error "BRISALOO_EXE names the program under test"
#endif

namespace {

const std::wstring kExe = Utf16FromUtf8(BRISALOO_EXE);

std::string ResourceText(HMODULE hModule, LPCWSTR pszType, LPCWSTR pszName) {
    const HRSRC hInfo = FindResourceW(hModule, pszName, pszType);
    if (!hInfo) return {};
    const auto* pData = static_cast<const char*>(LockResource(LoadResource(hModule, hInfo)));
    return std::string(pData, SizeofResource(hModule, hInfo));
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR lParam) {
    ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

// Some MinGW set-ups link a default manifest of their own: ours must be the one.
TEST(ProgramTest, CarriesItsManifestIconAndVersion) {
    const HMODULE hExe = LoadLibraryExW(kExe.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(hExe, nullptr);
    int nManifests = 0;
    EnumResourceNamesW(hExe, RT_MANIFEST, &CountName, reinterpret_cast<LONG_PTR>(&nManifests));
    EXPECT_EQ(nManifests, 1);
    const std::string strManifest = ResourceText(hExe, RT_MANIFEST, MAKEINTRESOURCEW(1));
    for (const char* pszPart : {"Microsoft.Windows.Common-Controls", "PerMonitorV2", "true/pm",
                                "asInvoker", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;

    // The icon group 128 lists every size (GRPICONDIR: reserved, type, count).
    const std::string strIconGroup = ResourceText(hExe, RT_GROUP_ICON, MAKEINTRESOURCEW(128));
    ASSERT_GE(strIconGroup.size(), 6u);
    EXPECT_EQ(static_cast<unsigned char>(strIconGroup[4]), BRISALOO_ICON_COUNT);

    const std::string strVersion = ResourceText(hExe, RT_VERSION, MAKEINTRESOURCEW(1));
    const std::wstring strWide(reinterpret_cast<const wchar_t*>(strVersion.data()),
                               strVersion.size() / sizeof(wchar_t));
    for (const std::wstring& strPart :
         {std::wstring(L"ProductName"), std::wstring(L"Brisaloo"), Utf16FromUtf8(BRISALOO_VERSION),
          std::wstring(L"GPL-3.0-or-later")})
        EXPECT_NE(strWide.find(strPart), std::wstring::npos) << Utf8FromUtf16(strPart);
    FreeLibrary(hExe);
}

struct Process {
    UniqueKernelHandle hProcess;
    DWORD nExitCode = STILL_ACTIVE;
};

Process Start(const std::wstring& strArguments) {
    std::wstring strCommand = L"\"" + kExe + L"\" " + strArguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return {};
    CloseHandle(info.hThread);
    return {UniqueKernelHandle(info.hProcess)};
}

// A copy that did not end in time is ended here: left running, it would
// hold the test runner's output pipe open.
DWORD WaitForExit(Process& process) {
    if (WaitForSingleObject(process.hProcess.Get(), 30000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess.Get(), STILL_ACTIVE);
    GetExitCodeProcess(process.hProcess.Get(), &process.nExitCode);
    return process.nExitCode;
}

// Waits (bounded, about 30 s) until a condition on another process's window
// holds. This thread's own messages are dispatched meanwhile: one left unread
// would make every wait return at once.
template <typename Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 3000 && !condition(); ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
    return condition();
}

// A data folder of its own with the trivia, so the program starts without a
// word; the arguments that start a copy on it.
std::wstring PrepareDataFolder(const wchar_t* pszName, std::wstring& strInstanceName) {
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strDataDir = std::wstring(szTemp) + pszName;
    CreateDirectoryW(strDataDir.c_str(), nullptr);
    CopyFileW(Utf16FromUtf8(BRISALOO_TRIV_DAT).c_str(), (strDataDir + L"\\triv.dat").c_str(),
              FALSE);
    strInstanceName = InstanceName(Utf8FromUtf16(strDataDir));
    return L"--data-dir \"" + strDataDir + L"\"";
}

TEST(ProgramTest, SecondCopyBringsTheFirstForwardAndEnds) {
    std::wstring strInstance;
    const std::wstring strArguments = PrepareDataFolder(L"brisaloo-second-copy", strInstance);

    Process first = Start(strArguments);
    ASSERT_TRUE(first.hProcess);
    // A failed assertion still leaves no copy running.
    const struct EndsFirst {
        Process& process;
        ~EndsFirst() { TerminateProcess(process.hProcess.Get(), STILL_ACTIVE); }
    } endsFirst{first};
    HWND hFirst = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        hFirst = FindRunningCopy(strInstance);
        return hFirst && IsWindowVisible(hFirst);
    }));
    ShowWindow(hFirst, SW_HIDE);
    ASSERT_FALSE(IsWindowVisible(hFirst));

    Process second = Start(strArguments);
    ASSERT_TRUE(second.hProcess);
    EXPECT_EQ(WaitForExit(second), 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(hFirst) != FALSE; }));

    // Close ends the first copy.
    PostMessageW(hFirst, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(WaitForExit(first), 0u);
}

// Started hidden (as every sign-in starts it), the window is never shown; a
// close request to it (End task, an installer) and the end of the session
// each end the process.
class HiddenCopy : public testing::TestWithParam<std::pair<UINT, WPARAM>> {};

TEST_P(HiddenCopy, NeverShowsAndEndsOnRequest) {
    std::wstring strInstance;
    const std::wstring strArguments = PrepareDataFolder(L"brisaloo-hidden-copy", strInstance);
    Process copy = Start(L"--hidden " + strArguments);
    ASSERT_TRUE(copy.hProcess);
    const struct EndsCopy {
        Process& process;
        ~EndsCopy() { TerminateProcess(process.hProcess.Get(), STILL_ACTIVE); }
    } endsCopy{copy};
    HWND hWindow = nullptr;
    bool bEverShown = false;
    ASSERT_TRUE(WaitUntil([&] {
        hWindow = FindRunningCopy(strInstance);
        return hWindow != nullptr;
    }));
    // Past the first ticks, when the window used to be shown and hidden again.
    for (int i = 0; i < 150; ++i) {
        bEverShown |= IsWindowVisible(hWindow) && !IsIconic(hWindow);
        Sleep(10);
    }
    EXPECT_FALSE(bEverShown);
    PostMessageW(hWindow, GetParam().first, GetParam().second, 0);
    EXPECT_EQ(WaitForExit(copy), 0u);
}

INSTANTIATE_TEST_SUITE_P(ProgramTest, HiddenCopy,
                         testing::Values(std::pair<UINT, WPARAM>{WM_CLOSE, 0},
                                         std::pair<UINT, WPARAM>{WM_ENDSESSION, TRUE}));

bool g_bShowRequested = false;
LRESULT CALLBACK RecordShowRequest(HWND hWindow, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == Win32MainWindow::ShowRequestMessage()) g_bShowRequested = true;
    return DefWindowProcW(hWindow, nMessage, wParam, lParam);
}

// Two copies started together: the first holds the folder a moment before its
// window is up. The second waits for that window, asks it to come forward and
// ends, with no "already running" box. This test is the first copy.
TEST(ProgramTest, SecondCopyWaitsForTheFirstCopysWindow) {
    std::wstring strInstance;
    const std::wstring strArguments = PrepareDataFolder(L"brisaloo-together", strInstance);
    SingleInstanceLock first(strInstance);
    ASSERT_EQ(first.TryClaim(), IInstanceLock::Claim::kOwner);
    Process second = Start(strArguments);
    ASSERT_TRUE(second.hProcess);
    const struct EndsSecond {
        Process& process;
        ~EndsSecond() { TerminateProcess(process.hProcess.Get(), STILL_ACTIVE); }
    } endsSecond{second};
    Sleep(1500);  // the second copy finds the lock and no window

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&windowClass);  // the shell's tests may have registered it already
    const HWND hWindow =
        CreateWindowExW(0, kMainWindowClass, L"first copy", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hWindow, nullptr);
    SetWindowLongPtrW(hWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordShowRequest));
    MarkAsInstance(hWindow, strInstance);
    EXPECT_TRUE(WaitUntil([] { return g_bShowRequested; }));
    EXPECT_EQ(WaitForExit(second), 0u) << "the second copy did not end by itself";
    DestroyWindow(hWindow);
}

TEST(ProgramTest, InstanceNameIsTheSameForEverySpellingOfAFolder) {
    const std::wstring strName = InstanceName("C:\\Users\\Ann\\Brisaloo");
    EXPECT_EQ(InstanceName("c:/users/ann/brisaloo/"), strName);
    EXPECT_NE(InstanceName("C:\\Users\\Ann\\Brisaloo2"), strName);
    EXPECT_EQ(strName.rfind(L"Brisaloo-", 0), 0u);
}

}  // namespace
