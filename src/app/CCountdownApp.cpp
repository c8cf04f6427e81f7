// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CCountdownApp.h"

#include "app/Profile.h"
#include "app/ProfileSettings.h"
#include "files/FileIo.h"

#include <system_error>

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
}

void CCountdownApp::ReadNotesAhead() {
    try {
        m_notesAhead = std::async(std::launch::async, [strPath = m_strNotesPath] {
            ReadNotes read{std::make_unique<NotesStore>(), {}};
            read.result = LoadNotesFile(strPath, *read.pStore);
            return read;
        });
    } catch (const std::system_error&) {
        // No thread to be had: LoadNotes reads the file itself.
    }
}

NotesResult CCountdownApp::LoadNotes() {
    if (!m_notesAhead.valid()) return LoadNotesFile(m_strNotesPath, m_notes);
    ReadNotes read = m_notesAhead.get();
    m_notes = std::move(*read.pStore);
    return read.result;
}

NotesResult CCountdownApp::SaveNotes(const AskConsent& ask) {
    return SaveNotesAsking(m_strNotesPath, m_notes, ask);
}

bool CCountdownApp::InitInstance(const StartupOptions& options,
                                 const MainWindowFactory& makeMainWindow) {
    // No sockets layer to start: the single-instance guard's local socket
    // (ui/SingleInstanceGuard) needs no initialisation on this platform.
    LoadPathsAndSettings(options);
    // A big notes.dat costs several milliseconds to read: that goes on while
    // the main window is built, and its initialisation takes the notes then.
    ReadNotesAhead();

    std::unique_ptr<IMainWindow> mainWindow = makeMainWindow(*this);
    m_pMainWnd = mainWindow.get();
    mainWindow->DoModal();
    m_pMainWnd = nullptr;
    return false;
}
