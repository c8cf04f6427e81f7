// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilePaths.h"

#include <algorithm>
#include <cerrno>

#include "files/FileIo.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#endif

namespace {

#ifdef _WIN32
bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
#endif

// How much of strPath is its root: "/" on POSIX; "C:\\", "C:" or
// "\\\\server\\" on Windows.
std::size_t RootLength(const std::string& strPath) {
#ifdef _WIN32
    if (strPath.size() >= 2 && IsDriveLetter(strPath[0]) && strPath[1] == ':')
        return strPath.size() >= 3 && IsPathSeparator(strPath[2]) ? 3 : 2;
    if (strPath.size() >= 2 && IsPathSeparator(strPath[0]) && IsPathSeparator(strPath[1])) {
        std::size_t i = 2;
        while (i < strPath.size() && !IsPathSeparator(strPath[i])) ++i;
        return i < strPath.size() ? i + 1 : i;
    }
#endif
    return !strPath.empty() && IsPathSeparator(strPath[0]) ? 1 : 0;
}

}  // namespace

bool IsAbsolutePath(const std::string& strPath) {
#ifdef _WIN32
    // A drive or a server with a separator after it: "\\x" and "C:x" hang on
    // the current drive or folder.
    const std::size_t nRoot = RootLength(strPath);
    return nRoot > 2 && IsPathSeparator(strPath[nRoot - 1]);
#else
    return !strPath.empty() && strPath[0] == '/';
#endif
}

std::string WithoutTrailingSlashes(std::string strDir) {
    const std::size_t nRootEnd = std::max<std::size_t>(RootLength(strDir), 1);
    while (strDir.size() > nRootEnd && IsPathSeparator(strDir.back())) strDir.pop_back();
    return strDir;
}

#ifdef _WIN32

namespace {

// A Win32 call that fills a buffer and returns the length it needs when the
// buffer is too small.
template <typename Fill>
std::wstring Filled(Fill fill) {
    std::wstring strText(MAX_PATH, L'\0');
    for (int nTry = 0; nTry < 4; ++nTry) {
        const DWORD nLength = fill(strText.data(), static_cast<DWORD>(strText.size()));
        if (nLength == 0) return {};
        if (nLength < strText.size()) {
            strText.resize(nLength);
            return strText;
        }
        strText.resize(nLength + 1);
    }
    return {};
}

// "\\\\?\\C:\\x" gives "C:\\x", "\\\\?\\UNC\\server\\share" "\\\\server\\share".
std::wstring WithoutLongPathPrefix(std::wstring strPath) {
    if (strPath.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + strPath.substr(7);
    if (strPath.rfind(L"\\\\?\\", 0) == 0) return strPath.substr(4);
    return strPath;
}

}  // namespace

std::string AbsoluteCleanPath(const std::string& strPath) {
    if (strPath.empty()) return strPath;
    const std::wstring strWide = WidePath(strPath);
    const std::wstring strFull = Filled([&](wchar_t* pszOut, DWORD nSize) {
        return ::GetFullPathNameW(strWide.c_str(), nSize, pszOut, nullptr);
    });
    return strFull.empty() ? strPath : Utf8Path(strFull);
}

bool FinalPathOf(const std::string& strPath, std::string& strFinal) {
    // Backup semantics open a folder as well as a file; no access is asked.
    const HANDLE hFile = ::CreateFileW(WidePath(strPath).c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        errno = ErrnoFromWin32(::GetLastError());
        return false;
    }
    const std::wstring strWide = Filled([&](wchar_t* pszOut, DWORD nSize) {
        return ::GetFinalPathNameByHandleW(hFile, pszOut, nSize, FILE_NAME_NORMALIZED);
    });
    const DWORD nError = ::GetLastError();
    ::CloseHandle(hFile);
    if (strWide.empty()) {
        errno = ErrnoFromWin32(nError);
        return false;
    }
    strFinal = Utf8Path(WithoutLongPathPrefix(strWide));
    return true;
}

std::string CanonicalDirectory(const std::string& strDir) {
    const std::string strGiven = strDir.empty() ? std::string("/") : strDir;
    std::string strFinal;
    if (!FinalPathOf(AbsoluteCleanPath(strGiven), strFinal))
        return WithoutTrailingSlashes(AbsoluteCleanPath(strGiven));
    return WithoutTrailingSlashes(strFinal);
}

#else

std::string AbsoluteCleanPath(const std::string& strPath) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(strPath, error);
    if (error) return strPath;
    return absolute.lexically_normal().string();
}

std::string CanonicalDirectory(const std::string& strDir) {
    const std::string strGiven = strDir.empty() ? std::string("/") : strDir;
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(strGiven, error);
    if (error) return WithoutTrailingSlashes(AbsoluteCleanPath(strGiven));
    return WithoutTrailingSlashes(canonical.string());
}

#endif
