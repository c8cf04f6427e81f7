// SPDX-License-Identifier: GPL-3.0-or-later
#include "trivia/TriviaEntry.h"

namespace {

// The rest of text after position p, like a cut from a start beyond the end: empty.
std::string_view From(std::string_view text, std::size_t p) {
    return p < text.size() ? text.substr(p) : std::string_view();
}

// The field up to the next "|" and the rest after it. Without a "|" the field
// is empty and the rest is the whole text.
std::string_view TakeField(std::string_view& rest) {
    const std::size_t p = rest.find('|');
    if (p == std::string_view::npos) return {};
    const std::string_view field = rest.substr(0, p);
    rest = rest.substr(p + 1);
    return field;
}

}  // namespace

TriviaEntry ParseTriviaEntry(std::string_view strLine) {
    std::string_view rest = strLine;
    const std::size_t p = rest.find('|');
    if (p != std::string_view::npos) rest = rest.substr(p + 1);  // the leading field goes
    rest = From(rest, 4);  // the 3-byte code and the byte after it

    TriviaEntry entry;
    entry.strQuestion = TakeField(rest);
    entry.strAnswer = TakeField(rest);
    return entry;
}
