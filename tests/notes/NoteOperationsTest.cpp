// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "notes/NoteOperations.h"
#include "notes/NotesFormat.h"
#include "notes/NotesTestSupport.h"

namespace {

const NoteList kThree{{"zulu", "Z"}, {"alpha", "A"}, {"Mike", "M"}};

TEST(AddNote, AppendsAfterTheLastAndRefusesAFullStore) {
    auto store = MakeStore(kThree);
    ASSERT_TRUE(AddNote(*store, "new", "N"));
    EXPECT_EQ(NotesOf(*store).back(), Note("new", "N"));

    store = MakeStore({});
    for (int i = 0; i < kMaxNotes; ++i) ASSERT_TRUE(AddNote(*store, "n", ""));
    EXPECT_FALSE(CanAddNote(*store));
    EXPECT_FALSE(AddNote(*store, "one too many", ""));
    EXPECT_EQ(store->m_nLastNote, kMaxNotes - 1);
    EXPECT_THAT(FullStoreMessage(), testing::HasSubstr("You have 2,000 notes"));
}

struct DeleteCase {
    const char* name;
    NoteList before;
    int nNote;
    NoteList after;
    int nCurrent;
};

class DeleteNoteCase : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteNoteCase, CompactsAndMakesTheFirstCurrent) {
    const DeleteCase& c = GetParam();
    auto store = MakeStore(c.before);
    EXPECT_EQ(DeleteNote(*store, c.nNote), c.nCurrent);
    EXPECT_EQ(NotesOf(*store), c.after);
    EXPECT_EQ(store->m_strSubject[store->m_nLastNote + 1], "") << "no stale note past the end";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DeleteNoteCase,
    testing::Values(DeleteCase{"First", kThree, 0, {{"alpha", "A"}, {"Mike", "M"}}, 0},
                    DeleteCase{"Middle", kThree, 1, {{"zulu", "Z"}, {"Mike", "M"}}, 0},
                    DeleteCase{"Last", kThree, 2, {{"zulu", "Z"}, {"alpha", "A"}}, 0},
                    DeleteCase{"TheOnlyNote", {{"only", "b"}}, 0, {}, -1},
                    DeleteCase{"NoSuchNote", kThree, 3, kThree, -1},
                    DeleteCase{"NothingSelected", kThree, -1, kThree, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UpdateNoteBody, ChangesOnlyAnExistingNote) {
    auto store = MakeStore(kThree);
    EXPECT_TRUE(UpdateNoteBody(*store, 1, "A2"));
    EXPECT_FALSE(UpdateNoteBody(*store, 3, "nowhere"));
    EXPECT_FALSE(UpdateNoteBody(*store, -1, "nowhere"));
    EXPECT_EQ(NotesOf(*store), (NoteList{{"zulu", "Z"}, {"alpha", "A2"}, {"Mike", "M"}}));
}

// A file that could not be read is replaced only after a Yes; after it, the
// rest of the run saves without asking again.
TEST(SaveNotesAsking, ReplacesAnUnreadableFileOnlyAfterYes) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    WriteFileBytes(strPath, "kept\n");
    auto store = MakeStore(kThree);
    store->m_bKeepUnreadableFile = true;  // as a failed load leaves it
    std::vector<std::string> questions;
    bool bAnswer = false;
    const AskConsent ask = [&](const std::string& strQuestion) {
        questions.push_back(strQuestion);
        return bAnswer;
    };

    EXPECT_EQ(SaveNotesAsking(strPath, *store, nullptr).status, NotesResult::Status::kNeedsConsent);
    EXPECT_EQ(SaveNotesAsking(strPath, *store, ask).status, NotesResult::Status::kNeedsConsent);
    EXPECT_EQ(ReadFileBytes(strPath), "kept\n");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_THAT(questions[0], testing::HasSubstr(strPath));

    bAnswer = true;
    EXPECT_TRUE(SaveNotesAsking(strPath, *store, ask).Ok());
    EXPECT_EQ(ReadFileBytes(strPath), FormatNotes(*store));
    EXPECT_TRUE(SaveNotesAsking(strPath, *store, ask).Ok());
    EXPECT_EQ(questions.size(), 2u) << "asked once per refusal, never after a Yes";
}

}  // namespace
