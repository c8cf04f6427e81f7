// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NoteOperations.h"

#include <utility>

bool CanAddNote(const NotesStore& store) {
    return store.m_nLastNote + 1 < kMaxNotes;
}

std::string FullStoreMessage() {
    const std::string strThousands = std::to_string(kMaxNotes / 1000);
    const std::string strRest = std::to_string(1000 + kMaxNotes % 1000).substr(1);
    return "You have " + strThousands + "," + strRest +
           " notes, as many as Brisaloo can keep. Delete a note before you add another.";
}

bool AddNote(NotesStore& store, std::string strSubject, std::string strBody) {
    if (!CanAddNote(store)) return false;
    const int n = ++store.m_nLastNote;
    store.m_strSubject[n] = std::move(strSubject);
    store.m_strBody[n] = std::move(strBody);
    return true;
}

int DeleteNote(NotesStore& store, int nNote) {
    if (nNote < 0 || nNote > store.m_nLastNote) return -1;
    --store.m_nLastNote;
    for (int i = nNote; i <= store.m_nLastNote; ++i) {
        store.m_strSubject[i] = std::move(store.m_strSubject[i + 1]);
        store.m_strBody[i] = std::move(store.m_strBody[i + 1]);
    }
    // The slot that fell off the end holds no stale text.
    store.m_strSubject[store.m_nLastNote + 1].clear();
    store.m_strBody[store.m_nLastNote + 1].clear();
    return store.m_nLastNote >= 0 ? 0 : -1;
}

bool UpdateNoteBody(NotesStore& store, int nNote, std::string strBody) {
    if (nNote < 0 || nNote > store.m_nLastNote) return false;
    store.m_strBody[nNote] = std::move(strBody);
    return true;
}

NotesResult SaveNotesAsking(const std::string& strPath, NotesStore& store, const AskConsent& ask,
                            IFileOps& ops) {
    NotesResult result = SaveNotesFile(strPath, store, ops);
    if (result.status != NotesResult::Status::kNeedsConsent) return result;
    if (!ask || !ask(result.strMessage)) return result;
    store.m_bKeepUnreadableFile = false;
    return SaveNotesFile(strPath, store, ops);
}
