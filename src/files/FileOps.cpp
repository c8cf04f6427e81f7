// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#ifndef ELOOP
#define ELOOP EMLINK
#endif

std::wstring WidePath(std::string_view strUtf8) {
    if (strUtf8.empty()) return {};
    const int nSize = ::MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(),
                                            static_cast<int>(strUtf8.size()), nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nSize), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()),
                          strWide.data(), nSize);
    return strWide;
}

std::string Utf8Path(std::wstring_view strWide) {
    if (strWide.empty()) return {};
    const int nSize = ::WideCharToMultiByte(
        CP_UTF8, 0, strWide.data(), static_cast<int>(strWide.size()), nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<std::size_t>(nSize), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strWide.data(), static_cast<int>(strWide.size()),
                          strUtf8.data(), nSize, nullptr, nullptr);
    return strUtf8;
}

int ErrnoFromWin32(unsigned long nError) {
    switch (nError) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        default:
            return EIO;
    }
}

namespace {

int FailWith(unsigned long nError) {
    errno = ErrnoFromWin32(nError);
    return -1;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

}  // namespace

int PosixFileOps::Open(const char* pszPath, int nFlags, mode_t /*mode*/) {
    const int nAccess = nFlags & (O_RDONLY | O_WRONLY | O_RDWR);
    const DWORD dwAccess = nAccess == O_RDONLY   ? GENERIC_READ
                           : nAccess == O_WRONLY ? GENERIC_WRITE
                                                 : GENERIC_READ | GENERIC_WRITE;
    DWORD dwCreate = OPEN_EXISTING;
    if ((nFlags & O_CREAT) && (nFlags & O_EXCL))
        dwCreate = CREATE_NEW;
    else if (nFlags & O_CREAT)
        dwCreate = (nFlags & O_TRUNC) ? CREATE_ALWAYS : OPEN_ALWAYS;
    else if (nFlags & O_TRUNC)
        dwCreate = TRUNCATE_EXISTING;
    DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
    // An exclusive create never goes through a link either: the name must be
    // free, whatever it points to.
    if (nFlags & (O_NOFOLLOW | O_EXCL)) dwFlags |= FILE_FLAG_OPEN_REPARSE_POINT;
    if (nFlags & O_DIRECTORY) dwFlags |= FILE_FLAG_BACKUP_SEMANTICS;
    const HANDLE hFile = ::CreateFileW(WidePath(pszPath).c_str(), dwAccess,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, dwCreate, dwFlags, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const DWORD dwError = ::GetLastError();
        // A folder is refused as "access denied"; say what it is, as POSIX does.
        const DWORD dwAttributes = ::GetFileAttributesW(WidePath(pszPath).c_str());
        if (dwError == ERROR_ACCESS_DENIED && dwAttributes != INVALID_FILE_ATTRIBUTES &&
            (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            errno = EISDIR;
            return -1;
        }
        return FailWith(dwError);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if ((nFlags & O_NOFOLLOW) && ::GetFileInformationByHandle(hFile, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        ::CloseHandle(hFile);
        errno = ELOOP;
        return -1;
    }
    const int nCrtFlags = _O_BINARY | (nAccess == O_RDONLY ? _O_RDONLY : 0);
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(hFile), nCrtFlags);
    if (fd < 0) ::CloseHandle(hFile);
    return fd;
}

ssize_t PosixFileOps::Write(int fd, const void* pData, std::size_t nSize) {
    const unsigned nChunk = nSize > 0x40000000 ? 0x40000000u : static_cast<unsigned>(nSize);
    return ::_write(fd, pData, nChunk);
}

int PosixFileOps::Fchmod(int /*fd*/, mode_t /*mode*/) {
    return 0;
}

int PosixFileOps::Fsync(int fd) {
    const HANDLE hFile = HandleOf(fd);
    if (hFile == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    return ::FlushFileBuffers(hFile) ? 0 : FailWith(::GetLastError());
}

int PosixFileOps::Close(int fd) {
    return ::_close(fd);
}

int PosixFileOps::Rename(const char* pszFrom, const char* pszTo) {
    if (::MoveFileExW(WidePath(pszFrom).c_str(), WidePath(pszTo).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return FailWith(::GetLastError());
}

int PosixFileOps::Unlink(const char* pszPath) {
    return ::DeleteFileW(WidePath(pszPath).c_str()) ? 0 : FailWith(::GetLastError());
}

#else

int PosixFileOps::Open(const char* pszPath, int nFlags, mode_t mode) {
    return ::open(pszPath, nFlags, mode);
}

ssize_t PosixFileOps::Write(int fd, const void* pData, std::size_t nSize) {
    return ::write(fd, pData, nSize);
}

int PosixFileOps::Fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int PosixFileOps::Fsync(int fd) {
    return ::fsync(fd);
}

int PosixFileOps::Close(int fd) {
    return ::close(fd);
}

int PosixFileOps::Rename(const char* pszFrom, const char* pszTo) {
    return std::rename(pszFrom, pszTo);
}

int PosixFileOps::Unlink(const char* pszPath) {
    return ::unlink(pszPath);
}

#endif

IFileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}
