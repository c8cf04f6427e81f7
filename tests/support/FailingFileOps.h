// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

#include "files/FileOps.h"

// Real calls, except that one step fails with a chosen error; a write may
// first get some bytes through, as on a disk that fills up.
class FailingFileOps final : public PosixFileOps {
public:
    enum class Step { kOpen, kFchmod, kWrite, kWriteZero, kFsync, kClose, kRename };

    FailingFileOps(Step step, int nError, std::size_t nBytesBeforeFailure = 0)
        : m_step(step), m_nError(nError), m_nBytesLeft(nBytesBeforeFailure) {}

    int Open(const char* pszPath, int nFlags, mode_t mode) override {
        if (m_step == Step::kOpen && (nFlags & O_CREAT)) return Fail();
        return PosixFileOps::Open(pszPath, nFlags, mode);
    }
    ssize_t Write(int fd, const void* pData, std::size_t nSize) override {
        if (m_step != Step::kWrite && m_step != Step::kWriteZero)
            return PosixFileOps::Write(fd, pData, nSize);
        if (m_nBytesLeft == 0) return m_step == Step::kWriteZero ? 0 : Fail();
        const ssize_t nWritten = PosixFileOps::Write(fd, pData, std::min(nSize, m_nBytesLeft));
        if (nWritten > 0) m_nBytesLeft -= static_cast<std::size_t>(nWritten);
        return nWritten;
    }
    int Fchmod(int fd, mode_t mode) override {
        return m_step == Step::kFchmod ? Fail() : PosixFileOps::Fchmod(fd, mode);
    }
    int Fsync(int fd) override { return m_step == Step::kFsync ? Fail() : PosixFileOps::Fsync(fd); }
    int Close(int fd) override {
        if (m_step != Step::kClose) return PosixFileOps::Close(fd);
        PosixFileOps::Close(fd);  // the descriptor is gone even when close reports an error
        return Fail();
    }
    int Rename(const char* pszFrom, const char* pszTo) override {
        return m_step == Step::kRename ? Fail() : PosixFileOps::Rename(pszFrom, pszTo);
    }

private:
    int Fail() {
        errno = m_nError;
        return -1;
    }

    Step m_step;
    int m_nError;
    std::size_t m_nBytesLeft;
};
