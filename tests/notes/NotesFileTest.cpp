// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/CCountdownApp.h"
#include "files/AtomicFile.h"
#include "notes/NotesFile.h"
#include "notes/NotesTestSupport.h"
#include "support/MemoryProfile.h"

namespace {

using testing::HasSubstr;

TEST(LoadNotes, MissingFileIsAnEmptyStoreAndCreatesNothing) {
    TempDir dir;
    auto store = MakeStore({{"stale", "x"}});
    const NotesResult result = LoadNotesFile(dir.File("notes.dat"), *store);
    EXPECT_TRUE(result.Ok());
    EXPECT_EQ(result.strMessage, "");
    EXPECT_EQ(store->m_nLastNote, -1);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(LoadNotes, ZeroByteFileIsAnEmptyStore) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), "");
    auto store = std::make_unique<NotesStore>();
    EXPECT_TRUE(LoadNotesFile(dir.File("notes.dat"), *store).Ok());
    EXPECT_EQ(store->m_nLastNote, -1);
}

TEST(LoadNotes, FileThatCannotBeReadIsReportedAndGuarded) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    std::filesystem::create_directory(strPath);  // exists, but no read gives its bytes
    auto store = std::make_unique<NotesStore>();
    const NotesResult load = LoadNotesFile(strPath, *store);
    EXPECT_EQ(load.status, NotesResult::Status::kFailed);
    EXPECT_THAT(load.strMessage, HasSubstr(strPath));
    EXPECT_THAT(load.strMessage, HasSubstr("could not be read: it is a folder"));
    EXPECT_EQ(store->m_nLastNote, -1);
    EXPECT_TRUE(store->m_bKeepUnreadableFile);

    const NotesResult save = SaveNotesFile(strPath, *store);
    EXPECT_EQ(save.status, NotesResult::Status::kNeedsConsent);
    EXPECT_THAT(save.strMessage, HasSubstr(strPath));
    EXPECT_TRUE(std::filesystem::is_directory(strPath));
}

TEST(LoadNotes, UnreadableFileIsSavedOverOnlyAfterConsent) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    WriteFileBytes(strPath, "kept\r\nbody\r\n.\r\n");
    auto store = MakeStore({{"new", "note"}});
    store->m_bKeepUnreadableFile = true;
    EXPECT_EQ(SaveNotesFile(strPath, *store).status, NotesResult::Status::kNeedsConsent);
    EXPECT_EQ(ReadFileBytes(strPath), "kept\r\nbody\r\n.\r\n");

    store->m_bKeepUnreadableFile = false;  // the user agreed
    EXPECT_TRUE(SaveNotesFile(strPath, *store).Ok());
    EXPECT_EQ(ReadFileBytes(strPath), "new\r\nnote\r\n.\r\n");
}

TEST(LoadNotes, MoreNotesThanTheTablesHoldAreToldAndKept) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    std::string bytes;
    for (int i = 0; i < kMaxNotes + 2; ++i) bytes += "s\r\nb\r\n.\r\n";
    bytes += "Tickets\r\nSeat 42A\r\n";
    WriteFileBytes(strPath, bytes);
    auto store = std::make_unique<NotesStore>();
    const NotesResult load = LoadNotesFile(strPath, *store);
    EXPECT_TRUE(load.Ok());
    EXPECT_THAT(load.strMessage, HasSubstr("holds 2002 notes"));
    EXPECT_THAT(load.strMessage, HasSubstr("The other 2 stay in the file unchanged."));
    EXPECT_THAT(load.strMessage, HasSubstr("ends with an incomplete note (\"Tickets\""));
    EXPECT_TRUE(SaveNotesFile(strPath, *store).Ok());
    EXPECT_EQ(ReadFileBytes(strPath), bytes);
}

TEST(SaveNotes, EmptyStoreLeavesAZeroByteFile) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.dat"), "a\r\nb\r\n.\r\n");
    EXPECT_TRUE(SaveNotesFile(dir.File("notes.dat"), *MakeStore({})).Ok());
    EXPECT_EQ(ReadFileBytes(dir.File("notes.dat")), "");
}

TEST(SaveNotes, NewFileIsPrivateAndAnOldOneKeepsItsPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps no POSIX mode bits (a new file takes the folder's ACL)";
#endif
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    ASSERT_TRUE(SaveNotesFile(strPath, *MakeStore({{"a", "b"}})).Ok());
    EXPECT_EQ(ModeOf(strPath), 0600u);

    std::filesystem::permissions(strPath, std::filesystem::perms(0640));
    ASSERT_TRUE(SaveNotesFile(strPath, *MakeStore({{"c", "d"}})).Ok());
    EXPECT_EQ(ModeOf(strPath), 0640u);
    EXPECT_EQ(ReadFileBytes(strPath), "c\r\nd\r\n.\r\n");
}

TEST(SaveNotes, LeftoverTemporaryFileFromACrashIsRemoved) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    WriteFileBytes(TemporaryPathFor(strPath), "half a save");
    ASSERT_TRUE(SaveNotesFile(strPath, *MakeStore({{"a", "b"}})).Ok());
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
    EXPECT_EQ(ReadFileBytes(strPath), "a\r\nb\r\n.\r\n");
}

TEST(SaveNotes, LinkToTheNotesStaysALink) {
    SKIP_WITHOUT_FILESYSTEM_SYMLINKS();
    TempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    WriteFileBytes(dir.File("real/mine.dat"), "");
    std::filesystem::create_symlink("real/mine.dat", dir.File("notes.dat"));
    ASSERT_TRUE(SaveNotesFile(dir.File("notes.dat"), *MakeStore({{"a", "b"}})).Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("notes.dat")));
    EXPECT_EQ(ReadFileBytes(dir.File("real/mine.dat")), "a\r\nb\r\n.\r\n");
}

TEST(CCountdownAppNotes, SavesAndLoadsAtTheNotesPath) {
    TempDir dir;
    MemoryProfile profile;
    auto writer = std::make_unique<CCountdownApp>(profile);
    writer->m_strNotesPath = dir.File("notes.dat");
    writer->m_notes.m_nLastNote = 0;
    writer->m_notes.m_strSubject[0] = "X";
    writer->m_notes.m_strBody[0] = "Y\r\nZ";
    ASSERT_TRUE(writer->SaveNotes().Ok());
    EXPECT_EQ(ReadFileBytes(dir.File("notes.dat")).size(), 13u);

    auto reader = std::make_unique<CCountdownApp>(profile);
    reader->m_strNotesPath = dir.File("notes.dat");
    ASSERT_TRUE(reader->LoadNotes().Ok());
    EXPECT_EQ(NotesOf(reader->m_notes), (NoteList{{"X", "Y\r\nZ"}}));
}

}  // namespace
