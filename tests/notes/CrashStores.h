// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "notes/NotesStore.h"

// The store that save number nSave writes in the crash test: big enough that a
// save takes a while, and different for every save.
inline std::unique_ptr<NotesStore> CrashStore(int nSave) {
    auto store = std::make_unique<NotesStore>();
    const int nNotes = 20 + nSave % 13;
    for (int i = 0; i < nNotes; ++i) {
        ++store->m_nLastNote;
        store->m_strSubject[i] = "save " + std::to_string(nSave) + " note " + std::to_string(i);
        store->m_strBody[i] = std::string(2000 + 37 * i, static_cast<char>('a' + nSave % 26)) +
                              "\r\n.\r\nend of " + std::to_string(nSave);
    }
    return store;
}

// The save number a store came from, or -1 when it is none of them.
inline int CrashStoreNumber(const NotesStore& store) {
    if (store.m_nLastNote < 0) return -1;
    const std::string& strSubject = store.m_strSubject[0];
    if (strSubject.rfind("save ", 0) != 0) return -1;
    return std::stoi(strSubject.substr(5));
}
