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

TEST(IniText, WritesTopLevelUnderGeneralThenSectionsInOrder) {
    EXPECT_EQ(FormatIniText({{"SETTINGS/TRIVTIME", "30"}, {"DESTINATION/YEAR", "2027"},
                             {"DESTINATION/DAY", "15"}, {"Top", "x"}}),
              "[General]\nTop=x\n\n[DESTINATION]\nDAY=15\nYEAR=2027\n\n[SETTINGS]\nTRIVTIME=30\n");
}

// Whatever is written reads back the same, however odd the value.
TEST(IniText, OddValuesReadBackAsWritten) {
    const IniValues values{{"A/plain", "2027"},       {"A/blanks", "  x  "},
                           {"A/comment", "1 ; 2"},    {"A/quote", "say \"hi\""},
                           {"A/escapes", "a\\b\\n"},  {"A/controls", "l1\nl2\r\t\0end"s},
                           {"A/empty", ""},           {"A/nested/key", "7"},
                           {"A/bytes", "\xFF\xFE\x80"}, {"Top", "@Variant(\\0)"},
                           {"General/x", "g"}, {"a / b", "c"}, {"a]/b", "d"}, {"s/;k", "e"}};
    EXPECT_EQ(ParseIniText(FormatIniText(values)), values);
}

}  // namespace
