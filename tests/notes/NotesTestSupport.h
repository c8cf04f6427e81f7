// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "notes/NotesStore.h"
#include "support/TempDir.h"

using Note = std::pair<std::string, std::string>;  // subject, body
using NoteList = std::vector<Note>;

// A store is 4,000 strings: tests keep theirs on the heap.
inline std::unique_ptr<NotesStore> MakeStore(const NoteList& notes) {
    auto store = std::make_unique<NotesStore>();
    for (const auto& [strSubject, strBody] : notes) {
        ++store->m_nLastNote;
        store->m_strSubject[store->m_nLastNote] = strSubject;
        store->m_strBody[store->m_nLastNote] = strBody;
    }
    return store;
}

inline NoteList NotesOf(const NotesStore& store) {
    NoteList notes;
    for (int i = 0; i <= store.m_nLastNote; ++i) {
        notes.emplace_back(store.m_strSubject[i], store.m_strBody[i]);
    }
    return notes;
}
