// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "files/FileOps.h"
#include "notes/NotesFile.h"
#include "notes/NotesStore.h"

// The edits the Notes dialog offers, on the store in memory. None of them
// saves; the caller saves after a change (SaveNotesAsking).

// False when the store already holds kMaxNotes notes.
bool CanAddNote(const NotesStore& store);
// What the user is told when the store is full.
std::string FullStoreMessage();
// Appends a note after the last one; false, and the store unchanged, when it is full.
bool AddNote(NotesStore& store, std::string strSubject, std::string strBody);
// Removes note nNote; the notes after it move up one place. Returns the note
// that is current afterwards: the first, or -1 when none is left. -1 and no
// change when nNote is not a note.
int DeleteNote(NotesStore& store, int nNote);
// Replaces the body of note nNote; false when there is no such note.
bool UpdateNoteBody(NotesStore& store, int nNote, std::string strBody);

// Asks the user a Yes/No question (the text is strQuestion); true for Yes.
using AskConsent = std::function<bool(const std::string& strQuestion)>;

// Saves the store to strPath. A notes file that could not be read at start-up
// is replaced only with the user's consent: ask is given the question, and a
// Yes lifts the guard for the rest of the run and saves; a No (or no ask)
// leaves the file and returns kNeedsConsent.
NotesResult SaveNotesAsking(const std::string& strPath, NotesStore& store, const AskConsent& ask,
                            IFileOps& ops = SystemFileOps());
