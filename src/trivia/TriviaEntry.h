// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// What an entry shows: its question and its answer, each possibly empty.
// The views point into the entry's text.
struct TriviaEntry {
    std::string_view strQuestion;
    std::string_view strAnswer;
};

// Cuts an entry of the form N|CAT|Question?|Answer| into what it shows. The
// code is taken by position, three bytes after the first "|", and the byte
// after it is skipped whatever it is; question and answer each end at the
// next "|" and are empty when none follows. Never fails: a malformed entry
// gives empty or shifted fields, exactly as the rotation shows them.
TriviaEntry ParseTriviaEntry(std::string_view strLine);
