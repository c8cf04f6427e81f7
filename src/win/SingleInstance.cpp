// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/SingleInstance.h"

#include <cstdint>

#include "win/Win32MainWindow.h"
#include "win/Utf.h"

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

IInstanceLock::Claim SingleInstanceLock::TryClaim() {
    const HANDLE hMutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + m_strInstanceName).c_str());
    const bool bHeldElsewhere = hMutex && GetLastError() == ERROR_ALREADY_EXISTS;
    m_mutex.Reset(hMutex);
    if (!m_mutex) return Claim::kUnguarded;
    return bHeldElsewhere ? Claim::kHeldElsewhere : Claim::kOwner;
}

bool SingleInstanceLock::AskRunningCopyToShow() {
    const HWND hFirst = FindWindowW(m_strInstanceName.c_str(), nullptr);
    if (!hFirst) return false;
    DWORD nProcessId = 0;
    GetWindowThreadProcessId(hFirst, &nProcessId);
    AllowSetForegroundWindow(nProcessId);
    return PostMessageW(hFirst, Win32MainWindow::ShowRequestMessage(), 0, 0);
}
