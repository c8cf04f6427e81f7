#include <fcntl.h>
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "notes/AtomicFile.h"
#include "notes/NotesFile.h"
#include "notes/NotesFormat.h"
#include "notes/NotesTestSupport.h"

namespace {

using testing::HasSubstr;

const std::string kOldBytes = "old\r\nkept as it was\r\n.\r\n";

NoteList BigNotes() {
    NoteList notes;
    for (int i = 0; i < 50; ++i)
        notes.emplace_back("note " + std::to_string(i), std::string(400, 'x'));
    return notes;
}

// Every failed save ends the same way: the user is told, the old file and the
// store are as they were, and no temporary file is left.
void ExpectFailedSaveChangedNothing(const NotesResult& result, const ScratchDir& dir,
                                    const NotesStore& store, const char* pszReason) {
    EXPECT_EQ(result.status, NotesResult::Status::kFailed);
    EXPECT_THAT(result.strMessage,
                HasSubstr("Your notes could not be saved to " + dir.File("notes.dat")));
    EXPECT_THAT(result.strMessage, HasSubstr(pszReason));
    EXPECT_THAT(result.strMessage, HasSubstr("They are still open in Brisaloo."));
    EXPECT_EQ(ReadBytes(dir.File("notes.dat")), kOldBytes);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
    EXPECT_EQ(NotesOf(store), BigNotes());
}

enum class Step { kOpen, kFchmod, kWrite, kFsync, kClose, kRename };

// Real calls, except that one step fails with a chosen error; a write may
// first get some bytes through, as on a disk that fills up.
class FailingFileOps final : public PosixFileOps {
public:
    FailingFileOps(Step step, int nError, std::size_t nBytesBeforeFailure)
        : m_step(step), m_nError(nError), m_nBytesLeft(nBytesBeforeFailure) {}

    int Open(const char* pszPath, int nFlags, mode_t mode) override {
        if (m_step == Step::kOpen && (nFlags & O_CREAT)) return Fail();
        return PosixFileOps::Open(pszPath, nFlags, mode);
    }
    ssize_t Write(int fd, const void* pData, std::size_t nSize) override {
        if (m_step != Step::kWrite) return PosixFileOps::Write(fd, pData, nSize);
        if (m_nBytesLeft == 0) return Fail();
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

struct FaultCase {
    const char* name;
    Step step;
    int nError;
    std::size_t nBytesBeforeFailure;
};

class SaveFault : public testing::TestWithParam<FaultCase> {};

TEST_P(SaveFault, LeavesTheOldFileAndTheStoreAsTheyWere) {
    const FaultCase& c = GetParam();
    ScratchDir dir;
    WriteBytes(dir.File("notes.dat"), kOldBytes);
    const auto store = MakeStore(BigNotes());
    FailingFileOps ops(c.step, c.nError, c.nBytesBeforeFailure);
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store, ops);
    ExpectFailedSaveChangedNothing(result, dir, *store, std::strerror(c.nError));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFault,
    testing::Values(FaultCase{"CreateDenied", Step::kOpen, EACCES, 0},
                    FaultCase{"PermissionsRefused", Step::kFchmod, EPERM, 0},
                    FaultCase{"DiskFullAtOnce", Step::kWrite, ENOSPC, 0},
                    FaultCase{"DiskFullAfter1000Bytes", Step::kWrite, ENOSPC, 1000},
                    FaultCase{"QuotaAfterOneByte", Step::kWrite, EDQUOT, 1},
                    FaultCase{"SyncFails", Step::kFsync, EIO, 0},
                    FaultCase{"CloseFails", Step::kClose, EIO, 0},
                    FaultCase{"RenameFails", Step::kRename, EXDEV, 0}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// The file-size limit of `ulimit -f`, with SIGXFSZ ignored so that writes past
// it fail with EFBIG, as they would on a full disk; restored on leaving.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t nBytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = nBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST(SaveFaults, FileSystemFullLeavesTheOldFile) {
    ScratchDir dir;
    WriteBytes(dir.File("notes.dat"), kOldBytes);
    const auto store = MakeStore(BigNotes());
    NotesResult result;
    {
        FileSizeLimit limit(4096);
        result = SaveNotesFile(dir.File("notes.dat"), *store);
    }
    ExpectFailedSaveChangedNothing(result, dir, *store, std::strerror(EFBIG));
}

TEST(SaveFaults, ReadOnlyFileIsNotReplaced) {
    ScratchDir dir;
    WriteBytes(dir.File("notes.dat"), kOldBytes);
    std::filesystem::permissions(dir.File("notes.dat"), std::filesystem::perms(0444));
    const auto store = MakeStore(BigNotes());
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store);
    ExpectFailedSaveChangedNothing(result, dir, *store, "the file is read-only");
    EXPECT_EQ(ModeOf(dir.File("notes.dat")), 0444u);
}

TEST(SaveFaults, DirectoryInTheWayOfTheTemporaryFile) {
    ScratchDir dir;
    WriteBytes(dir.File("notes.dat"), kOldBytes);
    std::filesystem::create_directory(dir.File("notes.dat.tmp"));
    WriteBytes(dir.File("notes.dat.tmp/inside"), "x");
    const auto store = MakeStore(BigNotes());
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store);
    EXPECT_EQ(result.status, NotesResult::Status::kFailed);
    EXPECT_THAT(result.strMessage, HasSubstr("notes.dat.tmp could not be removed"));
    EXPECT_EQ(ReadBytes(dir.File("notes.dat")), kOldBytes);
}

// A save into a directory this process may not write: run as an unprivileged
// user in a child when the tests run as root, who may write anywhere.
TEST(SaveFaults, UnwritableDirectoryLeavesTheOldFile) {
    ScratchDir dir;
    WriteBytes(dir.File("notes.dat"), kOldBytes);
    std::filesystem::permissions(dir.File("notes.dat"), std::filesystem::perms(0666));
    const bool bRoot = ::geteuid() == 0;
    std::filesystem::permissions(dir.Str(), std::filesystem::perms(bRoot ? 0755 : 0555));

    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (bRoot &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            std::_Exit(10);
        }
        const auto store = MakeStore(BigNotes());
        const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store);
        const bool bReported = result.status == NotesResult::Status::kFailed &&
                               result.strMessage.find(std::strerror(EACCES)) != std::string::npos;
        std::_Exit(bReported && NotesOf(*store) == BigNotes() ? 0 : 11);
    }
    int nStatus = 0;
    ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
    EXPECT_EQ(ReadBytes(dir.File("notes.dat")), kOldBytes);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
}

}  // namespace
