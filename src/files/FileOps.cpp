#include "files/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

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

IFileOps& SystemFileOps() {
    static PosixFileOps ops;
    return ops;
}
