// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>

#include "notes/NotesFormat.h"
#include "notes/NotesTestSupport.h"

namespace {

using namespace std::string_literals;

// A store written out gives exactly these bytes and reads back unchanged.
struct ByteCase {
    const char* name;
    NoteList notes;
    std::string bytes;
};

class NotesBytes : public testing::TestWithParam<ByteCase> {};

TEST_P(NotesBytes, WritesTheseBytesAndReadsThemBack) {
    const ByteCase& c = GetParam();
    EXPECT_EQ(FormatNotes(*MakeStore(c.notes)), c.bytes);
    auto loaded = std::make_unique<NotesStore>();
    ParseNotes(c.bytes, *loaded);
    EXPECT_EQ(NotesOf(*loaded), c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Format, NotesBytes,
    testing::Values(
        ByteCase{"EmptyStoreIsEmptyFile", {}, ""},
        ByteCase{"DialogLineBreakIsCrCrLf",
                 {{"X", "Y\r\nZ"}},
                 "\x58\x0D\x0A\x59\x0D\x0D\x0A\x5A\x0D\x0A\x2E\x0D\x0A"},
        ByteCase{"EmptyBodyIsEmptyLine", {{"S", ""}}, "S\r\n\r\n.\r\n"},
        ByteCase{"BodyEndingInLineBreak", {{"S", "a\r\n"}}, "S\r\na\r\r\n\r\n.\r\n"},
        ByteCase{"LoneCrAndLoneLf", {{"S", "a\rb\nc"}}, "S\r\na\rb\r\nc\r\n.\r\n"},
        ByteCase{
            "DotLineWithMoreAfterItFromDialog", {{"S", ".\r\nmore"}}, "S\r\n.\r\r\nmore\r\n.\r\n"},
        ByteCase{"BodyOnlyDotIsEscaped", {{"S", "."}, {"T", "t"}}, "S\r\n..\n.\r\nT\r\nt\r\n.\r\n"},
        ByteCase{"DialogBodyEndingInDotLine", {{"S", "a\r\n."}}, "S\r\na\r\r\n..\n.\r\n"},
        ByteCase{"DotLineBetweenLfs", {{"S", "a\n.\nb"}}, "S\r\na\r\n..\nb\r\n.\r\n"},
        ByteCase{"TwoDotsNeedNoEscape", {{"S", ".."}}, "S\r\n..\r\n.\r\n"},
        ByteCase{"SubjectDotIsASubject", {{".", "b"}}, ".\r\nb\r\n.\r\n"},
        ByteCase{"NonAsciiBytesUnchanged",
                 {{"Z\xC3\xBCrich \xE2\x9C\x88", "caf\xE9\0end"s}},
                 "Z\xC3\xBCrich \xE2\x9C\x88\r\ncaf\xE9\0end\r\n.\r\n"s},
        ByteCase{"NotesInStoreOrder",
                 {{"b", "2"}, {"a", "1"}, {"", ""}},
                 "b\r\n2\r\n.\r\na\r\n1\r\n.\r\n\r\n\r\n.\r\n"}),
    [](const testing::TestParamInfo<ByteCase>& info) { return std::string(info.param.name); });

// Files as other writers or an editor may leave them.
struct LoadCase {
    const char* name;
    std::string bytes;
    NoteList notes;
};

class NotesLoading : public testing::TestWithParam<LoadCase> {};

TEST_P(NotesLoading, ReadsTheseNotes) {
    const LoadCase& c = GetParam();
    auto store = MakeStore({{"old", "left from before"}});
    ParseNotes(c.bytes, *store);
    EXPECT_EQ(NotesOf(*store), c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Read, NotesLoading,
    testing::Values(
        LoadCase{"LfOnlyLikeCrLf", "X\nY\nZ\n.\nA\n\n.\n", {{"X", "Y\nZ"}, {"A", ""}}},
        LoadCase{"CrLfLinesJoinWithLf", "X\r\nY\r\nZ\r\n.\r\n", {{"X", "Y\nZ"}}},
        LoadCase{"FinalDotWithoutLineEnd", "X\r\nY\r\n.", {{"X", "Y"}}},
        LoadCase{"TrailingRecordWithoutTerminator", "A\r\nb\r\n.\r\nC\r\nd\r\n", {{"A", "b"}}},
        LoadCase{"TrailingEmptyLine", "A\r\nb\r\n.\r\n\r\n", {{"A", "b"}}},
        LoadCase{"RecordWithoutBodyLine", "S\r\n.\r\nT\r\nt\r\n.\r\n", {{"S", ""}, {"T", "t"}}},
        LoadCase{"DotWithCrIsBodyText", "S\r\n.\r\r\n.\r\n", {{"S", ".\r"}}},
        LoadCase{"SpaceDotIsBodyText", "S\r\n .\r\n.\r\n", {{"S", " ."}}},
        LoadCase{"TwoDotsWithCrLfStayTwoDots", "S\r\n..\r\nx\r\n.\r\n", {{"S", "..\nx"}}},
        LoadCase{
            "UnescapedDotLineEndsTheRecord", "S\r\na\r\n.\r\nb\r\n.\r\n", {{"S", "a"}, {"b", ""}}},
        LoadCase{"LoneCrStaysInTheLine", "S\ra\r\nb\rc\r\n.\r\n", {{"S\ra", "b\rc"}}},
        LoadCase{"EmptyFile", "", {}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

// A file that ends inside a record: the notes before it load, and a save after
// a note is added writes that record back, unlisted, at the end.
struct IncompleteCase {
    const char* name;
    std::string bytes;
    std::string strKept;
};

class IncompleteRecord : public testing::TestWithParam<IncompleteCase> {};

TEST_P(IncompleteRecord, IsKeptAfterTheNotes) {
    const IncompleteCase& c = GetParam();
    auto store = std::make_unique<NotesStore>();
    ParseNotes(c.bytes, *store);
    EXPECT_EQ(NotesOf(*store), (NoteList{{"Passport", "Number X123"}}));
    EXPECT_EQ(store->m_strIncomplete, c.strKept);
    store->m_strSubject[++store->m_nLastNote] = "Hotel";
    store->m_strBody[store->m_nLastNote] = "";
    const std::string saved = FormatNotes(*store);
    EXPECT_EQ(saved, "Passport\r\nNumber X123\r\n.\r\nHotel\r\n\r\n.\r\n" + c.strKept);

    auto reloaded = std::make_unique<NotesStore>();
    ParseNotes(saved, *reloaded);
    EXPECT_EQ(reloaded->m_nLastNote, 1);
    EXPECT_EQ(reloaded->m_strIncomplete, c.strKept);
}

INSTANTIATE_TEST_SUITE_P(
    Format, IncompleteRecord,
    testing::Values(IncompleteCase{"SubjectAndBodyLines",
                                   "Passport\r\nNumber X123\r\n.\r\nTickets\r\nLH 400\r\n",
                                   "Tickets\r\nLH 400\r\n"},
                    IncompleteCase{"CutMidLine", "Passport\nNumber X123\n.\nTickets\r\nSeat 4",
                                   "Tickets\r\nSeat 4"},
                    IncompleteCase{"BlankLinesHoldNothing",
                                   "Passport\r\nNumber X123\r\n.\r\n\r\n\r\n", ""}),
    [](const testing::TestParamInfo<IncompleteCase>& info) {
        return std::string(info.param.name);
    });

TEST(NotesFormat, LineFeedInASubjectBecomesASpace) {
    EXPECT_EQ(FormatNotes(*MakeStore({{"two\nlines", "b"}})), "two lines\r\nb\r\n.\r\n");
}

std::string Records(int nFirst, int nCount) {
    std::string bytes;
    for (int i = nFirst; i < nFirst + nCount; ++i) {
        bytes += "subject " + std::to_string(i) + "\r\nbody " + std::to_string(i) + "\r\n.\r\n";
    }
    return bytes;
}

TEST(NotesCapacity, TwoThousandRecordsFillTheTables) {
    auto store = std::make_unique<NotesStore>();
    const std::string bytes = Records(0, kMaxNotes);
    ParseNotes(bytes, *store);
    EXPECT_EQ(store->m_nLastNote, kMaxNotes - 1);
    EXPECT_EQ(store->m_strSubject[kMaxNotes - 1], "subject 1999");
    EXPECT_EQ(store->m_nOverflowNotes, 0);
    EXPECT_EQ(FormatNotes(*store), bytes);
}

TEST(NotesCapacity, RecordsPastTheTablesAreWrittenBackUnchanged) {
    auto store = std::make_unique<NotesStore>();
    // An editor's LF-only record past the limit, then an unterminated one.
    const std::string overflow = "extra\nlf only\n.\n" + Records(2001, 2);
    ParseNotes(Records(0, kMaxNotes) + overflow + "partial\r\n", *store);
    EXPECT_EQ(store->m_nLastNote, kMaxNotes - 1);
    EXPECT_EQ(store->m_nOverflowNotes, 3);
    EXPECT_EQ(store->m_strOverflow, overflow);
    EXPECT_EQ(FormatNotes(*store), Records(0, kMaxNotes) + overflow + "partial\r\n");
}

TEST(NotesCapacity, AfterADeletionTheFirstOverflowRecordMovesIntoTheTables) {
    auto store = std::make_unique<NotesStore>();
    ParseNotes(Records(0, kMaxNotes + 1) + "last\r\nx\r\n.", *store);
    // Delete note 0 the way the Notes dialog does.
    for (int i = 0; i < store->m_nLastNote; ++i) {
        store->m_strSubject[i] = store->m_strSubject[i + 1];
        store->m_strBody[i] = store->m_strBody[i + 1];
    }
    --store->m_nLastNote;
    const std::string bytes = FormatNotes(*store);
    EXPECT_EQ(bytes, Records(1, kMaxNotes) + "last\r\nx\r\n.\r\n");

    auto reloaded = std::make_unique<NotesStore>();
    ParseNotes(bytes, *reloaded);
    EXPECT_EQ(reloaded->m_nLastNote, kMaxNotes - 1);
    EXPECT_EQ(reloaded->m_strSubject[kMaxNotes - 1], "subject 2000");
    EXPECT_EQ(reloaded->m_nOverflowNotes, 1);
}

TEST(NotesCapacity, OverflowAtTheEndOfAFileWithoutALineEndReadsBackTheSame) {
    auto store = std::make_unique<NotesStore>();
    ParseNotes(Records(0, kMaxNotes) + "last\r\nx\r\n.", *store);
    EXPECT_EQ(store->m_strOverflow, "last\r\nx\r\n.\r\n");

    auto reloaded = std::make_unique<NotesStore>();
    ParseNotes(FormatNotes(*store), *reloaded);
    EXPECT_EQ(reloaded->m_strOverflow, store->m_strOverflow);
    EXPECT_EQ(reloaded->m_nOverflowNotes, 1);
}

// Bytes that matter to the format come often: dots, CR, LF.
std::string RandomText(std::mt19937& random, std::size_t nMaxLength, bool bAllowLf) {
    static constexpr char kSpecial[] = {'.', '.', '\r', '\n', 'a', ' '};
    std::uniform_int_distribution<std::size_t> length(0, nMaxLength);
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(length(random), '\0');
    for (char& ch : text) {
        const int nPick = pick(random);
        ch = nPick < 6 ? kSpecial[nPick] : static_cast<char>(byte(random));
        if (ch == '\n' && !bAllowLf) ch = '.';
    }
    return text;
}

TEST(NotesProperty, RandomStoresRoundTripExactly) {
    std::mt19937 random(20260507);
    std::uniform_int_distribution<int> count(0, kMaxNotes);
    for (int nRound = 0; nRound < 40; ++nRound) {
        const int nNotes = nRound == 0 ? kMaxNotes : count(random);
        NoteList notes;
        for (int i = 0; i < nNotes; ++i) {
            notes.emplace_back(RandomText(random, 12, false), RandomText(random, 30, true));
        }
        const std::string bytes = FormatNotes(*MakeStore(notes));
        auto loaded = std::make_unique<NotesStore>();
        ParseNotes(bytes, *loaded);
        ASSERT_EQ(NotesOf(*loaded), notes) << "round " << nRound;
        ASSERT_EQ(FormatNotes(*loaded), bytes) << "round " << nRound;
    }
}

}  // namespace
