// SPDX-License-Identifier: GPL-3.0-or-later
// brisaloo.com, the console companion of brisaloo.exe. cmd and PowerShell run
// a .com before an .exe of the same name, and wait for a console program: this
// one runs brisaloo.exe beside it with the same arguments and the same
// standard handles, waits for it and returns its exit code, so that
// `brisaloo --print` behaves as any console tool does.
#include <windows.h>

#include <cwchar>

namespace {

// The longest command line Windows takes, and so the longest path here.
constexpr DWORD kMaxCommandLine = 32768;

// The rest of the command line after the program's own name, as it was
// typed: the arguments reach brisaloo.exe with their quoting untouched.
const wchar_t* ArgumentsOf(const wchar_t* pszCommandLine) {
    const wchar_t* p = pszCommandLine;
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    return p;
}

// brisaloo.exe in this program's folder, whatever this one is called.
bool ProgramBeside(wchar_t* pszPath, DWORD nSize) {
    const DWORD nLength = GetModuleFileNameW(nullptr, pszPath, nSize);
    if (nLength == 0 || nLength + 4 >= nSize) return false;
    wchar_t* pszDot = std::wcsrchr(pszPath, L'.');
    if (!pszDot || std::wcspbrk(pszDot, L"\\/")) pszDot = pszPath + nLength;
    std::wcscpy(pszDot, L".exe");
    return true;
}

// The standard handles, inheritable, so the child writes where we would.
HANDLE Inheritable(DWORD nStdHandle) {
    const HANDLE hHandle = GetStdHandle(nStdHandle);
    if (hHandle && hHandle != INVALID_HANDLE_VALUE)
        SetHandleInformation(hHandle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return hHandle;
}

void Complain(const wchar_t* pszText) {
    const HANDLE hError = GetStdHandle(STD_ERROR_HANDLE);
    const int nLength = static_cast<int>(std::wcslen(pszText));
    DWORD nWritten = 0;
    if (WriteConsoleW(hError, pszText, static_cast<DWORD>(nLength), &nWritten, nullptr)) return;
    // A pipe or a file gets UTF-8, as brisaloo.exe writes there.
    char szBytes[1024];
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, pszText, nLength, szBytes, sizeof szBytes,
                                           nullptr, nullptr);
    if (nBytes > 0) WriteFile(hError, szBytes, static_cast<DWORD>(nBytes), &nWritten, nullptr);
}

wchar_t g_szProgram[kMaxCommandLine];
wchar_t g_szCommand[kMaxCommandLine];

}  // namespace

int wmain() {
    const wchar_t* pszArguments = ArgumentsOf(GetCommandLineW());
    if (!ProgramBeside(g_szProgram, kMaxCommandLine) ||
        std::wcslen(g_szProgram) + std::wcslen(pszArguments) + 3 >= kMaxCommandLine) {
        Complain(L"brisaloo: the program's path or the command line is too long\r\n");
        return 1;
    }
    std::swprintf(g_szCommand, kMaxCommandLine, L"\"%ls\"%ls", g_szProgram, pszArguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(STD_INPUT_HANDLE);
    startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
    startup.hStdError = Inheritable(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(g_szProgram, g_szCommand, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
        Complain(L"brisaloo: cannot start brisaloo.exe beside brisaloo.com\r\n");
        return 1;
    }
    CloseHandle(info.hThread);
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD nExitCode = 1;
    GetExitCodeProcess(info.hProcess, &nExitCode);
    CloseHandle(info.hProcess);
    return static_cast<int>(nExitCode);
}
