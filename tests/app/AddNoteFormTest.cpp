// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>

#include "app/AddNoteForm.h"

namespace {

struct TextRow {
    const char* pszName;
    std::string strField;
    std::string strStored;
};

void PrintTo(const TextRow& row, std::ostream* os) {
    *os << row.pszName;
}

std::string Times(int n, const std::string& str) {
    std::string strOut;
    for (int i = 0; i < n; ++i) strOut += str;
    return strOut;
}

const std::string kEuro = "\xE2\x82\xAC";          // 3 bytes
const std::string kAirplane = "\xF0\x9F\x9B\xA9";  // 4 bytes, two UTF-16 units

// The subject keeps 75 characters, whatever their UTF-8 length, and never half of one.
const TextRow kSubjectRows[] = {
    {"ascii_80", Times(80, "s"), Times(75, "s")},
    {"ascii_75", Times(75, "s"), Times(75, "s")},
    {"two_byte_at_75", Times(74, "s") + "\xC3\xA9" + "x", Times(74, "s") + "\xC3\xA9"},
    {"three_byte_all", Times(80, kEuro), Times(75, kEuro)},
    {"four_byte_at_75", Times(74, "s") + kAirplane + "x", Times(74, "s") + kAirplane},
    {"four_byte_at_76", Times(75, "s") + kAirplane, Times(75, "s")},
    {"four_byte_all", Times(76, kAirplane), Times(75, kAirplane)},
    {"line_breaks_become_spaces", "a\r\nb\nc\rd", "a  b c d"},
    {"empty", "", ""},
};

class SubjectCap : public testing::TestWithParam<TextRow> {};

TEST_P(SubjectCap, OneLineOfAtMost75Characters) {
    EXPECT_EQ(FieldTextToSubject(GetParam().strField), GetParam().strStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, SubjectCap, testing::ValuesIn(kSubjectRows),
                         [](const auto& info) { return std::string(info.param.pszName); });

// Whatever line breaks a shell's field holds, the store gets CR LF.
const TextRow kBodyRows[] = {
    {"lf", "a\nb\n", "a\r\nb\r\n"},
    {"cr_lf", "a\r\nb", "a\r\nb"},
    {"lone_cr", "a\rb", "a\r\nb"},
    {"cr_before_cr_lf", "a\r\r\nb", "a\r\n\r\nb"},
    {"line_separator",
     "a\xE2\x80\xA8"
     "b",
     "a\r\nb"},
    {"paragraph_separator",
     "a\xE2\x80\xA9\xE2\x80\xA9"
     "b",
     "a\r\n\r\nb"},
    {"other_text_kept", "caf\xC3\xA9 \xE2\x80\xA7", "caf\xC3\xA9 \xE2\x80\xA7"},
};

class BodyLines : public testing::TestWithParam<TextRow> {};

TEST_P(BodyLines, BecomeCrLf) {
    EXPECT_EQ(FieldTextToNote(GetParam().strField), GetParam().strStored);
}

INSTANTIATE_TEST_SUITE_P(Rows, BodyLines, testing::ValuesIn(kBodyRows),
                         [](const auto& info) { return std::string(info.param.pszName); });

}  // namespace
