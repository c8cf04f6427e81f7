// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes/NotesFile.h"

#include "files/AtomicFile.h"
#include "files/FileIo.h"
#include "notes/NotesFormat.h"

namespace {

NotesResult Failed(std::string strMessage) {
    return {NotesResult::Status::kFailed, std::move(strMessage)};
}

void Clear(NotesStore& store) {
    store.m_nLastNote = -1;
    store.m_strOverflow.clear();
    store.m_nOverflowNotes = 0;
    store.m_strIncomplete.clear();
    store.m_bKeepUnreadableFile = false;
}

// The subject of an incomplete record, for the message that names it.
std::string FirstLineOf(const std::string& strRecord) {
    constexpr std::size_t kMaxShown = 40;
    std::string strLine = strRecord.substr(0, strRecord.find_first_of("\r\n"));
    if (strLine.size() > kMaxShown) strLine = strLine.substr(0, kMaxShown) + "...";
    return strLine;
}

}  // namespace

NotesResult LoadNotesFile(const std::string& strPath, NotesStore& store) {
    Clear(store);
    std::string bytes;
    if (const auto failure = ReadRegularFile(strPath, bytes)) {
        if (failure->bAbsent) return {};
        store.m_bKeepUnreadableFile = true;
        return Failed("Your notes file " + strPath + " could not be read: " + failure->strReason +
                      ". Brisaloo starts without those notes and will not save over that file "
                      "unless you agree.");
    }
    ParseNotes(bytes, store);
    std::string strMessage;
    if (store.m_nOverflowNotes > 0) {
        strMessage = strPath + " holds " + std::to_string(kMaxNotes + store.m_nOverflowNotes) +
                     " notes; Brisaloo shows the first " + std::to_string(kMaxNotes) +
                     ". The other " + std::to_string(store.m_nOverflowNotes) +
                     " stay in the file unchanged.";
    }
    if (!store.m_strIncomplete.empty()) {
        if (!strMessage.empty()) strMessage += "\n\n";
        strMessage +=
            strPath + " ends with an incomplete note (\"" + FirstLineOf(store.m_strIncomplete) +
            "\", without its closing \".\" line). Brisaloo does not list it but keeps it, "
            "unchanged, at the end of the file.";
    }
    return {NotesResult::Status::kOk, std::move(strMessage)};
}

NotesResult SaveNotesFile(const std::string& strPath, const NotesStore& store, IFileOps& ops) {
    if (store.m_bKeepUnreadableFile) {
        return {NotesResult::Status::kNeedsConsent,
                "Brisaloo could not read " + strPath +
                    " when it started, so the notes in that file are not open. Saving now "
                    "replaces that file with the notes open in Brisaloo. Replace it?"};
    }
    if (auto error = ReplaceFileAtomically(strPath, FormatNotes(store), ops)) {
        return Failed("Your notes could not be saved to " + strPath + ": " + *error +
                      ". They are still open in Brisaloo.");
    }
    return {};
}
