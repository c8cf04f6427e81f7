// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

#ifdef _WIN32
// The open flags the core passes that Windows has no bit for. Handles are
// not inherited unless asked and there are no FIFOs to block on, so those two
// need nothing; O_NOFOLLOW and O_DIRECTORY are carried to SystemFileOps().Open,
// which opens a reparse point itself (and then refuses it, ELOOP) or a folder.
#include <fcntl.h>
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_NOFOLLOW
#define O_NOFOLLOW 0x01000000
#endif
#ifndef O_DIRECTORY
#define O_DIRECTORY 0x02000000
#endif
#endif

// The system calls a save makes, one virtual function each, so that a test can
// make any one of them fail the way a full disk or a lost device would. Each
// returns what the system call returns and leaves the reason in errno.
class IFileOps {
public:
    virtual ~IFileOps() = default;
    virtual int Open(const char* pszPath, int nFlags, mode_t mode) = 0;
    virtual ssize_t Write(int fd, const void* pData, std::size_t nSize) = 0;
    virtual int Fchmod(int fd, mode_t mode) = 0;
    virtual int Fsync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const char* pszFrom, const char* pszTo) = 0;
    virtual int Unlink(const char* pszPath) = 0;
};

// The real calls. Paths are UTF-8. On Windows each is its Win32 counterpart:
// CreateFileW (binary, shared for delete so that a rename over an open file
// works as on Linux), FlushFileBuffers, MoveFileExW with REPLACE_EXISTING and
// WRITE_THROUGH, DeleteFileW; Fchmod does nothing there (a new file takes the
// folder's permissions).
class PosixFileOps : public IFileOps {
public:
    int Open(const char* pszPath, int nFlags, mode_t mode) override;
    ssize_t Write(int fd, const void* pData, std::size_t nSize) override;
    int Fchmod(int fd, mode_t mode) override;
    int Fsync(int fd) override;
    int Close(int fd) override;
    int Rename(const char* pszFrom, const char* pszTo) override;
    int Unlink(const char* pszPath) override;
};

// The one instance the program uses.
IFileOps& SystemFileOps();

#ifdef _WIN32
// A UTF-8 path as Windows system calls take it, and back.
std::wstring WidePath(std::string_view strUtf8);
std::string Utf8Path(std::wstring_view strWide);
// errno for a Win32 error code (EIO for the rare ones).
int ErrnoFromWin32(unsigned long nError);
#endif
