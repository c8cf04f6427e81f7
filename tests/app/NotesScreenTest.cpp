// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <functional>
#include <memory>

#include "FakeDialogView.h"
#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/NotesScreen.h"
#include "notes/NotesTestSupport.h"
#include "support/MemoryProfile.h"

namespace {

// Three notes, not in sorted order, in an LF-only file: any save rewrites it
// with CR LF, so a test sees whether the screen wrote.
const char kLfOnlyFile[] = "zulu\nZ body\n.\nalpha\nA1\r\r\nA2\n.\nMike\n\n.\n";
const NoteList kThreeNotes = {{"zulu", "Z body"}, {"alpha", "A1\r\nA2"}, {"Mike", ""}};

std::string FileOf(const NoteList& notes) {
    std::string bytes;
    for (const auto& [strSubject, strBody] : notes) {
        std::string strStored;  // a body's LF is stored as CR LF, so its CR LF as CR CR LF
        for (char ch : strBody) strStored += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        bytes += strSubject + "\r\n" + strStored + "\r\n.\r\n";
    }
    return bytes;
}

NoteList With(NoteList notes, int nNote, const std::string& strBody) {
    notes[static_cast<std::size_t>(nNote)].second = strBody;
    return notes;
}

// The Notes dialog over a fake view: the user's actions reach the screen as
// a shell forwards them.
struct NotesRun {
    TempDir dir;
    MemoryProfile profile;
    CCountdownApp app{profile};
    FakeUserMessages messages;
    FakeDialogView view;
    NotesScreen screen{app, messages};

    std::string Path() const { return app.m_strNotesPath; }
};

using Step = std::function<void(NotesRun&)>;

Step Select(int nRow) {
    return [nRow](NotesRun& run) {
        run.view.m_nSelected = nRow;
        run.screen.OnSelectNote();
    };
}
// The user makes the body field read strText (a read-only field takes no typing).
Step Type(std::string strText) {
    return [strText](NotesRun& run) {
        if (run.view.m_readOnly.count(IDC_NOTE_BODY)) return;
        run.view.SetItemText(IDC_NOTE_BODY, strText);
    };
}
Step Add(std::string strSubject, std::string strBody) {
    return [=](NotesRun& run) {
        run.view.m_newNote = std::make_pair(strSubject, strBody);
        run.screen.OnAddNote();
    };
}
Step CancelledAdd() {
    return [](NotesRun& run) {
        run.view.m_newNote.reset();
        run.screen.OnAddNote();
    };
}
Step Delete(bool bYes) {
    return [bYes](NotesRun& run) {
        run.messages.m_bAnswerYes = bYes;
        run.screen.OnDeleteNote();
    };
}
Step Answer(bool bYes) {
    return [bYes](NotesRun& run) { run.messages.m_bAnswerYes = bYes; };
}
const Step kClose = [](NotesRun& run) { run.screen.OnClose(); };
const Step kEscape = [](NotesRun& run) { run.screen.OnCancel(); };
const Step kEndOfSession = [](NotesRun& run) { run.screen.SavePendingEdit(); };
const Step kReadOnlyFile = [](NotesRun& run) {
    std::filesystem::permissions(run.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
};
const Step kUnreadableAtStart = [](NotesRun& run) { run.app.m_notes.m_bKeepUnreadableFile = true; };

const std::string kSaveFailed = "could not be saved";
const std::string kDeleteQuestion = "Are you sure you want to delete this note?";

struct NotesRow {
    const char* pszName;
    std::vector<Step> steps;
    std::string strFile;                // notes.dat afterwards
    std::vector<std::string> messages;  // each told or asked, in order (a part of each)
};

void PrintTo(const NotesRow& row, std::ostream* os) {
    *os << row.pszName;
}

std::vector<NotesRow> NotesRows() {
    const std::string kUnchanged = kLfOnlyFile;
    NoteList deleted = kThreeNotes;
    deleted.erase(deleted.begin() + 1);
    NoteList added = kThreeNotes;
    added.emplace_back("", "");
    return {
        {"select_writes_nothing", {Select(1), Select(0), Select(2), kClose}, kUnchanged, {}},
        {"typing_before_a_selection_goes_nowhere",
         {Type("lost"), Select(0), kClose},
         kUnchanged,
         {}},
        {"edit_then_select_saves",
         {Select(1), Type("A1\nA2\nA3"), Select(2)},
         FileOf(With(kThreeNotes, 1, "A1\r\nA2\r\nA3")),
         {}},
        {"edit_then_close_keeps",
         {Select(2), Type("new text"), kClose},
         FileOf(With(kThreeNotes, 2, "new text")),
         {}},
        {"edit_then_escape_drops",
         {Select(0), Type("dropped"), kEscape, kEndOfSession},
         kUnchanged,
         {}},
        {"end_of_session_saves_the_pending_edit",
         {Select(0), Type("late"), kEndOfSession},
         FileOf(With(kThreeNotes, 0, "late")),
         {}},
        {"add_appends_and_saves", {Select(0), Add("", "")}, FileOf(added), {}},
        {"cancelled_add_changes_nothing", {CancelledAdd(), kClose}, kUnchanged, {}},
        {"add_keeps_a_pending_edit_for_its_note",
         {Select(1), Type("A1\nA2!"), Add("new", "N"), kClose},
         FileOf({{"zulu", "Z body"}, {"alpha", "A1\r\nA2!"}, {"Mike", ""}, {"new", "N"}}),
         {}},
        {"delete_answered_no", {Select(1), Delete(false), kClose}, kUnchanged, {kDeleteQuestion}},
        {"delete_answered_yes_drops_its_edit",
         {Select(1), Type("edit"), Delete(true), kClose},
         FileOf(deleted),
         {kDeleteQuestion}},
        {"after_delete_the_first_note_is_current",
         {Select(1), Delete(true), Type("Z body typed"), Select(1)},
         FileOf({{"zulu", "Z body typed"}, {"Mike", ""}}),
         {kDeleteQuestion}},
        {"delete_without_a_selection_does_nothing", {Delete(true), kClose}, kUnchanged, {}},
        {"utf8_and_paragraph_breaks",
         {Select(1), Type("caf\xC3\xA9\xE2\x80\xA9\xE2\x9C\x88"), kClose},
         FileOf(With(kThreeNotes, 1, "caf\xC3\xA9\r\n\xE2\x9C\x88")),
         {}},
        {"failed_save_is_told",
         {kReadOnlyFile, Add("kept", "in memory")},
         kUnchanged,
         {kSaveFailed}},
        {"failed_save_at_the_end_tells_nobody",
         {Select(0), Type("x"), kReadOnlyFile, kEndOfSession},
         kUnchanged,
         {}},
        {"unreadable_file_kept_on_no",
         {kUnreadableAtStart, Answer(false), Add("first", "1")},
         kUnchanged,
         {"notes.dat"}},
        {"unreadable_file_replaced_on_yes",
         {kUnreadableAtStart, Answer(true), Add("first", "1")},
         FileOf({{"zulu", "Z body"}, {"alpha", "A1\r\nA2"}, {"Mike", ""}, {"first", "1"}}),
         {"notes.dat"}},
        {"unreadable_file_kept_at_the_end_without_asking",
         {kUnreadableAtStart, Select(0), Type("x"), Answer(true), kEndOfSession},
         kUnchanged,
         {}},
    };
}

class NotesActions : public testing::TestWithParam<NotesRow> {};

TEST_P(NotesActions, LeaveTheseFileBytes) {
    NotesRun run;
    run.app.m_strNotesPath = run.dir.File("notes.dat");
    WriteFileBytes(run.Path(), kLfOnlyFile);
    ASSERT_TRUE(run.app.LoadNotes().Ok());
    // Like a native edit control, the body reports every change, also the screen's own.
    run.view.m_onChange = [&run](int nId) {
        if (nId == IDC_NOTE_BODY) run.screen.OnChangeNoteBody();
    };
    run.screen.OnInitDialog(run.view);
    for (const Step& step : GetParam().steps) step(run);

    EXPECT_EQ(ReadFileBytes(run.Path()), GetParam().strFile);
    ASSERT_EQ(run.messages.m_texts.size(), GetParam().messages.size());
    for (std::size_t i = 0; i < GetParam().messages.size(); ++i)
        EXPECT_NE(run.messages.m_texts[i].find(GetParam().messages[i]), std::string::npos)
            << run.messages.m_texts[i];
}

INSTANTIATE_TEST_SUITE_P(Rows, NotesActions, testing::ValuesIn(NotesRows()),
                         [](const auto& info) { return std::string(info.param.pszName); });

class NotesScreenView : public testing::Test {
protected:
    void Open(const char* pszFile) {
        run.app.m_strNotesPath = run.dir.File("notes.dat");
        WriteFileBytes(run.Path(), pszFile);
        ASSERT_TRUE(run.app.LoadNotes().Ok());
        run.screen.OnInitDialog(run.view);
    }
    NotesRun run;
};

TEST_F(NotesScreenView, OpensInStoreOrderWithNothingSelected) {
    Open(kLfOnlyFile);
    EXPECT_EQ(run.view.m_rows, (std::vector<std::string>{"zulu", "alpha", "Mike"}));
    EXPECT_EQ(run.view.m_nSelected, -1);
    EXPECT_EQ(run.view.m_texts[IDC_NOTE_BODY], "");
    EXPECT_TRUE(run.view.m_readOnly.count(IDC_NOTE_BODY));
    EXPECT_TRUE(run.view.m_disabled.count(IDC_NOTE_DELETE));

    Select(1)(run);
    EXPECT_EQ(run.view.m_texts[IDC_NOTE_BODY], "A1\r\nA2");
    EXPECT_FALSE(run.view.m_readOnly.count(IDC_NOTE_BODY));
    EXPECT_FALSE(run.view.m_disabled.count(IDC_NOTE_DELETE));
}

TEST_F(NotesScreenView, AddAppendsTheRowAndDeleteSelectsTheFirst) {
    Open(kLfOnlyFile);
    Select(2)(run);
    Add("new", "")(run);
    EXPECT_EQ(run.view.m_rows, (std::vector<std::string>{"zulu", "alpha", "Mike", "new"}));
    EXPECT_EQ(run.view.m_nSelected, 2);
    Delete(true)(run);
    EXPECT_EQ(run.view.m_rows, (std::vector<std::string>{"zulu", "alpha", "new"}));
    EXPECT_EQ(run.view.m_nSelected, 0);
    EXPECT_EQ(run.view.m_texts[IDC_NOTE_BODY], "Z body");
}

TEST_F(NotesScreenView, DeletingTheOnlyNoteLeavesNothingToEdit) {
    Open("only\nbody\n.\n");
    Select(0)(run);
    Delete(true)(run);
    EXPECT_TRUE(run.view.m_rows.empty());
    EXPECT_TRUE(run.view.m_readOnly.count(IDC_NOTE_BODY));
    EXPECT_TRUE(run.view.m_disabled.count(IDC_NOTE_DELETE));
    EXPECT_EQ(ReadFileBytes(run.Path()), "");
}

TEST_F(NotesScreenView, AFullStoreIsToldAndAddNoteNeverOpens) {
    run.app.m_strNotesPath = run.dir.File("notes.dat");
    auto& notes = run.app.m_notes;
    for (int i = 0; i < kMaxNotes; ++i) notes.m_strSubject[i] = "n" + std::to_string(i);
    notes.m_nLastNote = kMaxNotes - 1;
    run.screen.OnInitDialog(run.view);
    Add("one too many", "")(run);
    EXPECT_EQ(run.view.m_nAddDialogs, 0);
    EXPECT_EQ(run.messages.m_texts, std::vector<std::string>{FullStoreMessage()});
    EXPECT_EQ(run.view.m_rows.size(), static_cast<std::size_t>(kMaxNotes));
    EXPECT_FALSE(std::filesystem::exists(run.Path()));
}

}  // namespace
