// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class IDialogView;

// The characters (code points) a note's subject keeps.
inline constexpr std::size_t kMaxSubjectChars = 75;

// A multi-line field's UTF-8 text as the store keeps it: every line break
// (CR LF, a lone LF, a lone CR, U+2028 or U+2029) becomes CR LF. Shells hand
// over their fields' text as it is; this is the one place that converts it.
std::string FieldTextToNote(std::string_view text);

// A subject as the store keeps it: one line (CR and LF become spaces) of at
// most kMaxSubjectChars characters, cut between whole UTF-8 sequences.
std::string FieldTextToSubject(std::string_view text);

// The Add a Note dialog's form. It never touches the store: whoever runs it
// stores what OK leaves in m_strNoteSubject and m_strNoteBody.
class AddNoteForm {
public:
    // "Add": takes the subject and the body from the fields.
    void OnOK(IDialogView& view);

    std::string m_strNoteSubject;
    std::string m_strNoteBody;  // lines separated by CR LF
};
