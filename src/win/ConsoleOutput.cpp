// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/ConsoleOutput.h"

#include "win/Utf.h"

namespace {

bool IsUsable(HANDLE hOutput) {
    return hOutput && hOutput != INVALID_HANDLE_VALUE && GetFileType(hOutput) != FILE_TYPE_UNKNOWN;
}

// The parent's console, attached at the first need; nullptr when there is none.
HANDLE ParentConsoleOutput() {
    static const HANDLE hConsole = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return HANDLE{nullptr};
        const HANDLE hOutput = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        return hOutput == INVALID_HANDLE_VALUE ? HANDLE{nullptr} : hOutput;
    }();
    return hConsole;
}

void WriteTo(HANDLE hOutput, const std::string& strText) {
    DWORD nMode = 0;
    DWORD nWritten = 0;
    if (GetConsoleMode(hOutput, &nMode)) {
        const std::wstring strWide = Utf16FromUtf8(strText);
        WriteConsoleW(hOutput, strWide.data(), static_cast<DWORD>(strWide.size()), &nWritten,
                      nullptr);
    } else {
        WriteFile(hOutput, strText.data(), static_cast<DWORD>(strText.size()), &nWritten, nullptr);
    }
}

}  // namespace

void WriteToParent(DWORD nStdHandle, const std::string& strText) {
    if (strText.empty()) return;
    const HANDLE hStandard = GetStdHandle(nStdHandle);
    if (IsUsable(hStandard)) {
        WriteTo(hStandard, strText);
    } else if (const HANDLE hConsole = ParentConsoleOutput()) {
        WriteTo(hConsole, strText);
    }
}
