// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CCountdownApp.h"

#include "app/Profile.h"
#include "app/ProfileSettings.h"
#include "files/FileIo.h"

#include <system_error>
#include <utility>

CCountdownApp::CCountdownApp(IProfile& profile) : m_profile(profile) {}

void CCountdownApp::LoadPathsAndSettings(const StartupOptions& options) {
    m_notes.m_nLastNote = -1;
    m_strExeDir = DirectoryOf(options.strExePath);
    const DataLocation location =
        options.location ? *options.location
                         : LocateDataFiles({m_strExeDir, true, options.strDataDir, "", "", ""},
                                           [](const std::string&) { return false; });
    m_strNotesPath = location.strNotesPath;
    m_strTrivPath = location.strTrivPath;
    m_strTrivTmpPath = location.strTrivTmpPath;
    m_strStatePath = location.strStatePath;
    m_strPrivateTmpDir = location.strPrivateTmpDir;
    m_settings = ReadProfileSettings(m_profile);
    if (const auto failure = m_profile.ReadFailure())
        m_strProfileWarning = UnreadableProfileWarning(*failure);
}

void CCountdownApp::ReadFilesAhead() {
    try {
        // The paths are copied: the thread shares nothing with the window being built.
        m_readingAhead = std::async(std::launch::async, [strNotes = m_strNotesPath,
                                                         strTriv = m_strTrivPath,
                                                         strTmp = m_strTrivTmpPath,
                                                         strPrivate = m_strPrivateTmpDir] {
            ReadAhead read{std::make_unique<NotesStore>(), {}, std::make_unique<TriviaTable>(), {}};
            read.notes = LoadNotesFile(strNotes, *read.pNotes);
            read.trivia = ::LoadTrivia(strTriv, strTmp, *read.pTrivia, strPrivate);
            return read;
        });
    } catch (const std::system_error&) {
        // No thread to be had: each Load reads its file itself.
    }
}

CCountdownApp::ReadAhead& CCountdownApp::FilesReadAhead() {
    if (m_readingAhead.valid()) m_readAhead = m_readingAhead.get();
    return m_readAhead;
}

NotesResult CCountdownApp::LoadNotes() {
    ReadAhead& read = FilesReadAhead();
    if (!read.pNotes) return LoadNotesFile(m_strNotesPath, m_notes);
    m_notes = std::move(*std::exchange(read.pNotes, nullptr));
    return std::move(read.notes);
}

TriviaLoadResult CCountdownApp::LoadTrivia(std::unique_ptr<TriviaTable>& pTable) {
    ReadAhead& read = FilesReadAhead();
    if (!read.pTrivia)
        return ::LoadTrivia(m_strTrivPath, m_strTrivTmpPath, *pTable, m_strPrivateTmpDir);
    pTable = std::exchange(read.pTrivia, nullptr);
    return std::move(read.trivia);
}

NotesResult CCountdownApp::SaveNotes(const AskConsent& ask) {
    return SaveNotesAsking(m_strNotesPath, m_notes, ask);
}

bool CCountdownApp::InitInstance(const StartupOptions& options,
                                 const MainWindowFactory& makeMainWindow) {
    // No sockets layer to start: the single-instance guard's local socket
    // (ui/SingleInstanceGuard) needs no initialisation on this platform.
    LoadPathsAndSettings(options);
    // A big notes.dat and the trivia file cost several milliseconds to read:
    // that goes on while the main window is built, and its initialisation
    // takes what was read at the steps that load them.
    ReadFilesAhead();

    std::unique_ptr<IMainWindow> mainWindow = makeMainWindow(*this);
    mainWindow->DoModal();
    return false;
}
