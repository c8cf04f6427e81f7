#pragma once

#include <sys/types.h>

#include <cstddef>

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

// The real calls.
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
