// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "app/IniText.h"

namespace {

struct ReadCase {
    const char* name;
    std::string text;
    IniValues values;
};

class IniTextRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniTextRead, ReadsWhatHandEditedFilesMean) {
    EXPECT_EQ(ParseIniText(GetParam().text), GetParam().values);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Lines, IniTextRead,
    testing::Values(
        ReadCase{"Plain", "[DESTINATION]\nYEAR=2027\nMONTH=6\n[SETTINGS]\nTRIVTIME=30\n",
                 {{"DESTINATION/YEAR", "2027"}, {"DESTINATION/MONTH", "6"},
                  {"SETTINGS/TRIVTIME", "30"}}},
        ReadCase{"LineEnds", "\xEF\xBB\xBF[A]\r\nX=1\rY=2\r\n\r\nZ=3", 
                 {{"A/X", "1"}, {"A/Y", "2"}, {"A/Z", "3"}}},
        ReadCase{"Blanks", "  [ A ]  \n\t X \t=  1 2  \n", {{"A/X", "1 2"}}},
        ReadCase{"Comments", "; c\n# c\n[A]\nX=1 ; one\n;Y=2\nZ=a#b\n",
                 {{"A/X", "1"}, {"A/Z", "a#b"}}},
        ReadCase{"Quoted", "[A]\nX=\"2031\"\nY=\" a;b \" ; c\nZ=\"q\\\"\\\\\\n\\0\"\nW=\"open",
                 {{"A/X", "2031"}, {"A/Y", " a;b "}, {"A/Z", "q\"\\\n\0"s}, {"A/W", "open"}}},
        ReadCase{"GeneralIsTopLevel", "T=1\n[General]\nU=2\n[]\nV=3\n",
                 {{"T", "1"}, {"U", "2"}, {"V", "3"}}},
        ReadCase{"HeaderWithoutBracket", "[A\nX=1\n[B] junk\nY=2\n", {{"A/X", "1"}, {"B/Y", "2"}}},
        ReadCase{"UnwritableSectionIsSkipped", "[a=b\nX=1\n[;c]\nY=2\n[[d]\nZ=3\n[e]\nW=4\n",
                 {{"e/W", "4"}}},
        ReadCase{"SkippedLines", "[A]\nnovalue\n=1\nX=\nY==2\n", {{"A/X", ""}, {"A/Y", "=2"}}},
        ReadCase{"LastRepeatCounts", "[A]\nX=1\n[B]\nY=1\n[A]\nX=2\n", {{"A/X", "2"}, {"B/Y", "1"}}},
        // Nothing is decoded: a binary variant stays the text it is.
        ReadCase{"VariantIsText", "[A]\nX=@Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xf0)\n",
                 {{"A/X", "@Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xf0)"}}},
        ReadCase{"NulInValue", "[A]\nX=2\0"s "0\n", {{"A/X", "2\0"s "0"}}},
        ReadCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// One Setup write: a key set in the text; everything else stays byte for byte.
struct EditCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniTextEdit : public testing::TestWithParam<EditCase> {};

TEST_P(IniTextEdit, ChangesOnlyTheKey) {
    const EditCase& c = GetParam();
    const std::string strAfter = SetIniValue(c.before, c.section, c.key, c.value);
    EXPECT_EQ(strAfter, c.after);
    EXPECT_EQ(ParseIniText(strAfter).at(std::string(c.section) + '/' + c.key), c.value);
}

const std::string kTrip =
    "; my trip\n[SETTINGS]\nHIDESTART=0\nTRIVTIME=30\nCOLOUR=blue\n;OLD=1\n\n"
    "[DESTINATION]\nMINUTE=5\n";

INSTANTIATE_TEST_SUITE_P(
    Edits, IniTextEdit,
    testing::Values(
        EditCase{"ChangedInPlace", kTrip, "SETTINGS", "TRIVTIME", "45",
                 "; my trip\n[SETTINGS]\nHIDESTART=0\nTRIVTIME=45\nCOLOUR=blue\n;OLD=1\n\n"
                 "[DESTINATION]\nMINUTE=5\n"},
        EditCase{"AddedAfterTheSectionsLastKey", kTrip, "SETTINGS", "OLD", "2",
                 "; my trip\n[SETTINGS]\nHIDESTART=0\nTRIVTIME=30\nCOLOUR=blue\nOLD=2\n;OLD=1\n\n"
                 "[DESTINATION]\nMINUTE=5\n"},
        EditCase{"SectionAddedAtTheEnd", "[A]\nX=1\n", "B", "Y", "2", "[A]\nX=1\n\n[B]\nY=2\n"},
        EditCase{"SectionWithoutKeys", "[A]\n\n[B]\n", "A", "X", "1", "[A]\nX=1\n\n[B]\n"},
        EditCase{"BlanksAndCommentAfterTheValue", "[A]\n X = 1 ; one\n", "A", "X", "22",
                 "[A]\n X = 22 ; one\n"},
        EditCase{"QuotedStaysQuoted", "[A]\nX=\"1\" ; c\nY=\"a;b\"\n", "A", "X", "2",
                 "[A]\nX=\"2\" ; c\nY=\"a;b\"\n"},
        EditCase{"ValueThatNeedsQuotes", "[A]\nX=1\n", "A", "X", " a;b", "[A]\nX=\" a;b\"\n"},
        EditCase{"CrLfKept", "[A]\r\nX=1\r\n", "B", "Y", "2", "[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n"},
        EditCase{"CrLfKeyAdded", "[A]\r\nX=1\r\n", "A", "Y", "2", "[A]\r\nX=1\r\nY=2\r\n"},
        EditCase{"DuplicatedKeyTheLastIsRead", "[A]\nX=1\n[B]\nX=1\n[A]\nX=2\nZ=0\n", "A", "X", "3",
                 "[A]\nX=1\n[B]\nX=1\n[A]\nX=3\nZ=0\n"},
        EditCase{"ByteOrderMark", "\xEF\xBB\xBF[A]\nX=1\n", "A", "X", "2",
                 "\xEF\xBB\xBF[A]\nX=2\n"},
        EditCase{"EmptyFile", "", "A", "X", "1", "[A]\nX=1\n"},
        EditCase{"NoFinalLineEndKeyAdded", "[A]\nX=1", "A", "Y", "2", "[A]\nX=1\nY=2"},
        EditCase{"NoFinalLineEndSectionAdded", "[A]\nX=1", "B", "Y", "2", "[A]\nX=1\n\n[B]\nY=2\n"},
        EditCase{"KeyUnderABrokenHeaderIsNotTheKey", "[A]\nX=1\n[a=b\nX=5\n", "A", "X", "2",
                 "[A]\nX=2\n[a=b\nX=5\n"}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

// Whatever is written reads back the same, however odd the value.
TEST(IniText, OddValuesReadBackAsWritten) {
    const IniValues values{
        {"A/plain", "2027"},       {"A/blanks", "  x  "},       {"A/comment", "1 ; 2"},
        {"A/quote", "say \"hi\""}, {"A/escapes", "a\\b\\n"},    {"A/controls", "l1\nl2\r\t\0end"s},
        {"A/empty", ""},           {"A/bytes", "\xFF\xFE\x80"}, {"B/variant", "@Variant(\\0)"}};
    std::string strText = "[A]\nplain=\"old\" ; c\nblanks=old\n";
    for (const auto& [strPath, strValue] : values) {
        const auto nSlash = strPath.find('/');
        strText =
            SetIniValue(strText, strPath.substr(0, nSlash), strPath.substr(nSlash + 1), strValue);
    }
    EXPECT_EQ(ParseIniText(strText), values);
}

}  // namespace
