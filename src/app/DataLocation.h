// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

// Where notes.dat, triv.dat and triv.tmp live, and the arrival alert's state.
//
// 1. --data-dir DIR: notes and triv.tmp in DIR; the trivia is DIR/triv.dat
//    when it is there, else the copy that came with the program.
// 2. A copy the user can write beside (unpacked into a folder, the build
//    directory): all three beside the executable, as they always were.
// 3. An installed copy: the user's notes and triv.tmp in
//    $XDG_DATA_HOME/brisaloo (~/.local/share/brisaloo when unset), the trivia
//    read from <prefix>/share/brisaloo/triv.dat. On Windows a copy under
//    Program Files (a folder the user cannot write): notes and triv.tmp in
//    %LOCALAPPDATA%\Brisaloo, the trivia from the program's folder. So does a
//    copy in the per-user install folder, %LOCALAPPDATA%\Programs\Brisaloo,
//    though the user can write there.
//
// A copy counts as installed when its directory is read-only, and also when
// the directory is writable but holds neither triv.dat nor notes.dat while
// ../share/brisaloo/triv.dat exists: root running /usr/bin/brisaloo, or a
// user's own ~/.local/bin install, keeps its data out of the bin directory.
//
// The alert's state is DIR/state with --data-dir, so separate data folders
// keep separate alerts; otherwise $XDG_STATE_HOME/brisaloo/state
// (~/.local/state/brisaloo/state when unset), or beside the notes when no
// home directory is known.
enum class DataPlace {
    DataDir,           // --data-dir
    BesideExecutable,  // a folder copy
    UserDataHome,      // an installed copy
};

struct DataLocationQuery {
    std::string strExeDir;                  // directory of the running executable
    bool bExeDirWritable = false;           // tested by the caller
    std::optional<std::string> strDataDir;  // --data-dir, when given
    std::string strXdgDataHome;             // $XDG_DATA_HOME (Windows: %LOCALAPPDATA%)
    std::string strXdgStateHome;            // $XDG_STATE_HOME, "" when unset
    std::string strHome;                    // $HOME, "" when unknown
};

struct DataLocation {
    DataPlace place = DataPlace::BesideExecutable;
    std::string strNotesDir;    // holds notes.dat
    std::string strNotesPath;   // strNotesDir/notes.dat
    std::string strTrivPath;    // the trivia file to read
    std::string strTrivTmpDir;  // where triv.tmp is written while loading
    std::string strTrivTmpPath;
    std::string strStatePath;  // the arrival alert's state, its folder made when written
    // Where triv.tmp goes when strTrivTmpDir takes no new file:
    // $XDG_RUNTIME_DIR/brisaloo, or "" for a folder of the loader's own making.
    std::string strPrivateTmpDir;
    bool bCreateNotesDir = false;  // the caller creates strNotesDir (with parents) first
};

using FileExistsFn = std::function<bool(const std::string& strPath)>;

// The rule above. Asks nothing of the system except through fileExists.
DataLocation LocateDataFiles(const DataLocationQuery& query, const FileExistsFn& fileExists);

// The user's data directory for Brisaloo: $XDG_DATA_HOME/brisaloo, or
// $HOME/.local/share/brisaloo when XDG_DATA_HOME is unset, empty or relative.
// On Windows %LOCALAPPDATA%\Brisaloo, given as strXdgDataHome.
// "" when neither gives an absolute directory.
std::string UserDataDir(const std::string& strXdgDataHome, const std::string& strHome);

// $XDG_RUNTIME_DIR, the user's private folder for sockets and files of one
// session; "" when it is unset or not absolute.
std::string RuntimeDirectory();

// The same rule for this process: reads XDG_DATA_HOME and HOME, tests the
// executable's directory for writing and files for existence.
DataLocation LocateDataFilesForThisProcess(const std::string& strExeDir,
                                           const std::optional<std::string>& strDataDir);
