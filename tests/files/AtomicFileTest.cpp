// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "files/AtomicFile.h"
#include "files/FileIo.h"
#include "support/FailingFileOps.h"
#include "support/TempDir.h"

namespace {

using Step = FailingFileOps::Step;
using testing::HasSubstr;

const std::string kOldBytes = "old\r\nkept as it was\r\n.\r\n";
const std::string kNewBytes(20'000, 'n');

struct FaultCase {
    const char* name;
    Step step;
    int nError;  // what the failing call leaves in errno; EIO for a write of 0 bytes
    std::size_t nBytesBeforeFailure;
    bool bFolderRefused = false;  // the folder took no new file: the message names it
};

// A failed step at any call leaves the old file whole, the reason told, and
// no temporary file behind.
class ReplaceFault : public testing::TestWithParam<FaultCase> {};

TEST_P(ReplaceFault, LeavesTheOldFileAndNoTemporaryFile) {
    const FaultCase& c = GetParam();
    TempDir dir;
    WriteFileBytes(dir.File("data"), kOldBytes);
    FailingFileOps ops(c.step, c.nError, c.nBytesBeforeFailure);
    const auto error = ReplaceFileAtomically(dir.File("data"), kNewBytes, ops);
    ASSERT_TRUE(error.has_value());
    EXPECT_THAT(*error, HasSubstr(std::strerror(c.nError)));
    if (c.bFolderRefused) {
        EXPECT_THAT(*error, HasSubstr("in the folder " + dir.Str() + " ("));
    }
    EXPECT_EQ(ReadFileBytes(dir.File("data")), kOldBytes);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"data"});
}

#ifndef EDQUOT
#define EDQUOT ENOSPC  // Windows has no quota error of its own
#endif

INSTANTIATE_TEST_SUITE_P(
    Steps, ReplaceFault,
    testing::Values(FaultCase{"CreateDenied", Step::kOpen, EACCES, 0, true},
                    FaultCase{"PermissionsRefused", Step::kFchmod, EPERM, 0},
                    FaultCase{"DiskFullAtOnce", Step::kWrite, ENOSPC, 0},
                    FaultCase{"DiskFullAfter1000Bytes", Step::kWrite, ENOSPC, 1000},
                    FaultCase{"QuotaAfterOneByte", Step::kWrite, EDQUOT, 1},
                    FaultCase{"WriteOfZeroBytes", Step::kWriteZero, EIO, 1000},
                    FaultCase{"SyncFails", Step::kFsync, EIO, 0},
                    FaultCase{"CloseFails", Step::kClose, EIO, 0},
                    FaultCase{"RenameFails", Step::kRename, EXDEV, 0}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// Counts the syncs, and lets a write be interrupted once.
class CountingFileOps final : public PosixFileOps {
public:
    ssize_t Write(int fd, const void* pData, std::size_t nSize) override {
        if (!m_bInterrupted) {
            m_bInterrupted = true;
            errno = EINTR;
            return -1;
        }
        return PosixFileOps::Write(fd, pData, nSize);
    }
    int Fsync(int fd) override {
        ++m_nSyncs;
        return PosixFileOps::Fsync(fd);
    }
    bool m_bInterrupted = false;
    int m_nSyncs = 0;
};

TEST(ReplaceFileAtomically, SyncsFileAndFolderAndRidesOutAnInterruptedWrite) {
    TempDir dir;
    CountingFileOps ops;
    ASSERT_EQ(ReplaceFileAtomically(dir.File("data"), kNewBytes, ops, 0640), std::nullopt);
    EXPECT_EQ(ReadFileBytes(dir.File("data")), kNewBytes);
#ifdef _WIN32
    EXPECT_EQ(ops.m_nSyncs, 1) << "the file before the move, which itself writes through";
#else
    EXPECT_EQ(ModeOf(dir.File("data")), 0640u);
    EXPECT_EQ(ops.m_nSyncs, 2) << "the file before the rename, the folder after it";
#endif
}

// A data file is read only when it is a regular file, and never waits on a
// FIFO or device at its name.
struct ReadCase {
    const char* name;
    std::function<void(const std::string&)> make;  // puts something at the path
    std::optional<ReadFailure> expected;
};

class ReadRegular : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegular, RefusesAllButARegularFileWithoutWaiting) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    GetParam().make(strPath);
    std::string bytes;
    const std::optional<ReadFailure> failure = ReadRegularFile(strPath, bytes);
    ASSERT_EQ(failure.has_value(), GetParam().expected.has_value());
    if (!failure) {
        EXPECT_EQ(bytes, kOldBytes);
        return;
    }
    EXPECT_EQ(failure->bAbsent, GetParam().expected->bAbsent);
    EXPECT_EQ(failure->strReason, GetParam().expected->strReason);
}

const std::vector<ReadCase> kReadCases{
    {"File", [](const std::string& p) { WriteFileBytes(p, kOldBytes); }, {}},
    {"Nothing", [](const std::string&) {}, ReadFailure{true, std::strerror(ENOENT)}},
    {"Folder", [](const std::string& p) { std::filesystem::create_directory(p); },
     ReadFailure{false, "it is a folder"}},
#ifndef _WIN32
    {"Fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); },
     ReadFailure{false, "it is not a regular file"}},
#endif
};

INSTANTIATE_TEST_SUITE_P(Kinds, ReadRegular, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(DirectoryOf, Paths) {
    EXPECT_EQ(DirectoryOf("/opt/b/brisaloo"), "/opt/b");
    EXPECT_EQ(DirectoryOf("/brisaloo"), "/");
    EXPECT_EQ(DirectoryOf("brisaloo"), ".");
}

}  // namespace
