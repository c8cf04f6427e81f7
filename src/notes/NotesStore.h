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
};
