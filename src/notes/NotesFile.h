// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "files/FileOps.h"
#include "notes/NotesStore.h"

// What a load or a save of notes.dat came to, with the words for the user.
struct NotesResult {
    enum class Status {
        kOk,            // done; strMessage may still hold something worth telling
        kFailed,        // nothing was changed on disk; strMessage says why
        kNeedsConsent,  // the save would replace a file that could not be read
    };
    Status status = Status::kOk;
    std::string strMessage;  // for a message box; empty when there is nothing to tell

    bool Ok() const { return status == Status::kOk; }
};

// Reads notes.dat into the store, replacing what it held. A missing file is an
// empty store. A file that exists but can't be read leaves the store empty and
// marks it so that no save replaces that file without the user's consent.
NotesResult LoadNotesFile(const std::string& strPath, NotesStore& store);

// Writes the store to notes.dat atomically. The store is never changed; on
// failure the file is as it was.
NotesResult SaveNotesFile(const std::string& strPath, const NotesStore& store,
                          IFileOps& ops = SystemFileOps());
