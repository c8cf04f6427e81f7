// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

inline constexpr int kMaxNotes = 2000;

// The notes in memory: note i is subject i and body i, for i from 0 to
// m_nLastNote, with no gaps. Texts are 8-bit byte strings.
struct NotesStore {
    std::array<std::string, kMaxNotes> m_strSubject;
    std::array<std::string, kMaxNotes> m_strBody;
    int m_nLastNote = -1;  // index of the last note; -1 when there is none

    // Complete records of notes.dat past the 2,000 the tables hold, exactly as
    // read; a save writes them back after the notes, so none is lost.
    std::string m_strOverflow;
    int m_nOverflowNotes = 0;

    // A last record without its "." line, exactly as read (the file was cut
    // short, or edited by hand). It is not listed, and a save writes it back
    // at the very end of the file.
    std::string m_strIncomplete;

    // Set when notes.dat exists but could not be read: saving would replace
    // notes the user has never seen, so a save waits for the user's consent.
    bool m_bKeepUnreadableFile = false;
};
