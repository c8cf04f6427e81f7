// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/SingleInstance.h"

#include <cstdint>
#include <cwchar>

#include "win/Utf.h"
#include "win/Win32MainWindow.h"

std::wstring InstanceName(const std::string& strDataFolder) {
    std::wstring strFolder = Utf16FromUtf8(strDataFolder);
    for (wchar_t& c : strFolder)
        if (c == L'/') c = L'\\';
    while (strFolder.size() > 1 && strFolder.back() == L'\\') strFolder.pop_back();
    if (!strFolder.empty()) CharLowerBuffW(strFolder.data(), static_cast<DWORD>(strFolder.size()));
    std::uint64_t nHash = 14695981039346656037ull;  // FNV-1a, 64 bits
    for (const wchar_t c : strFolder) {
        nHash ^= static_cast<std::uint16_t>(c);
        nHash *= 1099511628211ull;
    }
    wchar_t szHex[17];
    for (int i = 15; i >= 0; --i, nHash >>= 4) szHex[i] = L"0123456789abcdef"[nHash & 0xF];
    szHex[16] = L'\0';
    return L"Brisaloo-" + std::wstring(szHex);
}

namespace {

// The folder's hash, the hex digits of its instance name, as the value of
// the window property (a pointer holds all 64 bits; 0 would read as unset).
HANDLE InstanceTag(const std::wstring& strInstanceName) {
    const std::uint64_t nHash = std::wcstoull(strInstanceName.c_str() + 9, nullptr, 16);
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(nHash | 1));
}

// The property's name as an atom of our own: a string name would add a
// reference to a global atom on every start that nothing takes away.
LPCWSTR InstanceProperty() {
    static const ATOM nAtom = GlobalAddAtomW(L"Brisaloo.DataFolder");
    return MAKEINTATOM(nAtom);
}

}  // namespace

void MarkAsInstance(HWND hMainWindow, const std::wstring& strInstanceName) {
    SetPropW(hMainWindow, InstanceProperty(), InstanceTag(strInstanceName));
}

HWND FindRunningCopy(const std::wstring& strInstanceName) {
    const HANDLE hTag = InstanceTag(strInstanceName);
    for (HWND hWindow = FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); hWindow;
         hWindow = FindWindowExW(nullptr, hWindow, kMainWindowClass, nullptr))
        if (GetPropW(hWindow, InstanceProperty()) == hTag) return hWindow;
    return nullptr;
}

IInstanceLock::Claim SingleInstanceLock::TryClaim() {
    const HANDLE hMutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + m_strInstanceName).c_str());
    const bool bHeldElsewhere = hMutex && GetLastError() == ERROR_ALREADY_EXISTS;
    m_mutex.Reset(hMutex);
    if (!m_mutex) return Claim::kUnguarded;
    return bHeldElsewhere ? Claim::kHeldElsewhere : Claim::kOwner;
}

bool SingleInstanceLock::AskRunningCopyToShow() {
    const HWND hFirst = FindRunningCopy(m_strInstanceName);
    if (!hFirst) return false;
    DWORD nProcessId = 0;
    GetWindowThreadProcessId(hFirst, &nProcessId);
    AllowSetForegroundWindow(nProcessId);
    return PostMessageW(hFirst, Win32MainWindow::ShowRequestMessage(), 0, 0);
}
