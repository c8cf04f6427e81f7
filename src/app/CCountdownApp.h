// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "app/DataLocation.h"
#include "app/Settings.h"
#include "notes/NoteOperations.h"
#include "notes/NotesFile.h"
#include "notes/NotesStore.h"
#include "trivia/TriviaLoader.h"
#include "trivia/TriviaTable.h"

class CCountdownApp;
class IProfile;

// What start-up needs of the main window: run it until the user ends it.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    // Shows the window and returns when it ends (Close, Exit, Escape).
    virtual int DoModal() = 0;
};

using MainWindowFactory = std::function<std::unique_ptr<IMainWindow>(CCountdownApp&)>;

// How the program was started: where it runs from and what the command line changed.
struct StartupOptions {
    std::string strExePath;                 // the running executable, symlinks resolved
    std::optional<std::string> strDataDir;  // --data-dir: replaces the executable's directory
    // Where the data files live, decided by the caller that can look at the
    // system; without it they sit beside the executable (or in strDataDir).
    std::optional<DataLocation> location;
};

// The application object: the settings, the data-file paths and the notes
// store for the whole run. Whatever needs them is handed this object by
// reference; there is no global.
class CCountdownApp {
public:
    explicit CCountdownApp(IProfile& profile);
    CCountdownApp(const CCountdownApp&) = delete;
    CCountdownApp& operator=(const CCountdownApp&) = delete;

    // Start-up: paths, settings, then the main window until it ends. Always
    // false: when it returns, the program is over.
    bool InitInstance(const StartupOptions& options, const MainWindowFactory& makeMainWindow);

    // Paths and settings without running a window.
    void LoadPathsAndSettings(const StartupOptions& options);
    // Starts reading notes.dat, then the trivia file, on a thread of its
    // own; LoadNotes and LoadTrivia then take what it read (and what there is
    // to tell) instead of reading the files themselves. Start-up calls it
    // before the main window is built, which is when the reading is free.
    void ReadFilesAhead();

    IProfile& Profile() { return m_profile; }
    // What the main window tells the user about the profile at start-up: ""
    // when it was read, else why it could not be (the defaults then apply).
    const std::string& ProfileWarning() const { return m_strProfileWarning; }

    // notes.dat at m_strNotesPath into m_notes, and back. The result says what
    // to tell the user; a failed save leaves the notes in memory as they are.
    // A file that could not be read is replaced only if ask says yes
    // (SaveNotesAsking).
    NotesResult LoadNotes();
    NotesResult SaveNotes(const AskConsent& ask = {});
    // The trivia file into *pTable, or pTable swapped for the table read
    // ahead: the file's lines, or empty, and the messages about it.
    TriviaLoadResult LoadTrivia(std::unique_ptr<TriviaTable>& pTable);

    std::string m_strExeDir;
    std::string m_strNotesPath;
    std::string m_strTrivPath;
    std::string m_strTrivTmpPath;    // triv.tmp, written only while the trivia loads
    std::string m_strStatePath;      // the arrival alert's state (ArrivalAlert)
    std::string m_strPrivateTmpDir;  // triv.tmp's place when its own folder is read-only
    NotesStore m_notes;

    // The settings the program runs by; the only copy that outlives a dialog.
    Settings m_settings;

private:
    struct ReadAhead {
        std::unique_ptr<NotesStore> pNotes;  // null once LoadNotes has taken it
        NotesResult notes;
        std::unique_ptr<TriviaTable> pTrivia;  // null once LoadTrivia has taken it
        TriviaLoadResult trivia;
    };
    // What was read ahead, once the reading has ended; both parts null without it.
    ReadAhead& FilesReadAhead();

    IProfile& m_profile;
    std::string m_strProfileWarning;
    std::future<ReadAhead> m_readingAhead;  // from ReadFilesAhead to the first Load
    ReadAhead m_readAhead;                  // what it read, until each Load has taken its part
};
