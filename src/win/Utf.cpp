// SPDX-License-Identifier: GPL-3.0-or-later
#include "win/Utf.h"

#include "win/Win32.h"

std::wstring Utf16FromUtf8(std::string_view strUtf8) {
    if (strUtf8.empty()) return {};
    const int nLength = static_cast<int>(strUtf8.size());
    const int nWide = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), nLength, nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), nLength, strWide.data(), nWide);
    return strWide;
}

std::string Utf8FromUtf16(std::wstring_view strUtf16) {
    if (strUtf16.empty()) return {};
    const int nLength = static_cast<int>(strUtf16.size());
    const int nBytes =
        WideCharToMultiByte(CP_UTF8, 0, strUtf16.data(), nLength, nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<std::size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strUtf16.data(), nLength, strUtf8.data(), nBytes, nullptr,
                        nullptr);
    return strUtf8;
}
