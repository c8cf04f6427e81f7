// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "files/AtomicFile.h"
#include "notes/NotesFile.h"
#include "notes/NotesFormat.h"
#include "notes/NotesTestSupport.h"
#include "support/FailingFileOps.h"

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
void ExpectFailedSaveChangedNothing(const NotesResult& result, const TempDir& dir,
                                    const NotesStore& store, const char* pszReason) {
    EXPECT_EQ(result.status, NotesResult::Status::kFailed);
    EXPECT_THAT(result.strMessage,
                HasSubstr("Your notes could not be saved to " + dir.File("notes.dat")));
    EXPECT_THAT(result.strMessage, HasSubstr(pszReason));
    EXPECT_THAT(result.strMessage, HasSubstr("They are still open in Brisaloo."));
    EXPECT_EQ(ReadFileBytes(dir.File("notes.dat")), kOldBytes);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
    EXPECT_EQ(NotesOf(store), BigNotes());
}

// Every step of the replace is made to fail in tests/files; here one failure
// shows that the notes keep what they hold and the user is told in their words.
TEST(SaveFaults, FailedWriteLeavesTheOldFileAndTheStore) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), kOldBytes);
    const auto store = MakeStore(BigNotes());
    FailingFileOps ops(FailingFileOps::Step::kWrite, ENOSPC, 1000);
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store, ops);
    ExpectFailedSaveChangedNothing(result, dir, *store, std::strerror(ENOSPC));
}

#ifndef _WIN32
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
#endif

TEST(SaveFaults, FileSystemFullLeavesTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a file size limit (setrlimit); FailedWriteLeavesTheOldFileAndTheStore "
                    "fails the write instead";
#else
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), kOldBytes);
    const auto store = MakeStore(BigNotes());
    NotesResult result;
    {
        FileSizeLimit limit(4096);
        result = SaveNotesFile(dir.File("notes.dat"), *store);
    }
    ExpectFailedSaveChangedNothing(result, dir, *store, std::strerror(EFBIG));
#endif
}

TEST(SaveFaults, ReadOnlyFileIsNotReplaced) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), kOldBytes);
    std::filesystem::permissions(dir.File("notes.dat"), std::filesystem::perms(0444));
    const auto store = MakeStore(BigNotes());
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store);
    ExpectFailedSaveChangedNothing(result, dir, *store, "the file is read-only");
    EXPECT_EQ(ModeOf(dir.File("notes.dat")), 0444u);
}

TEST(SaveFaults, DirectoryInTheWayOfTheTemporaryFile) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), kOldBytes);
    std::filesystem::create_directory(dir.File("notes.dat.tmp"));
    WriteFileBytes(dir.File("notes.dat.tmp/inside"), "x");
    const auto store = MakeStore(BigNotes());
    const NotesResult result = SaveNotesFile(dir.File("notes.dat"), *store);
    EXPECT_EQ(result.status, NotesResult::Status::kFailed);
    EXPECT_THAT(result.strMessage, HasSubstr("notes.dat.tmp could not be removed"));
    EXPECT_EQ(ReadFileBytes(dir.File("notes.dat")), kOldBytes);
}

// A save into a directory this process may not write: run as an unprivileged
// user in a child when the tests run as root, who may write anywhere.
TEST(SaveFaults, UnwritableDirectoryLeavesTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX folder permissions and a forked child run as another user";
#else
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), kOldBytes);
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
    EXPECT_EQ(ReadFileBytes(dir.File("notes.dat")), kOldBytes);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
#endif
}

}  // namespace
