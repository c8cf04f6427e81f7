// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/DataLocation.h"
#include "files/FileIo.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace {

struct LocationCase {
    const char* name;
    const char* exeDir;
    bool bWritable;
    const char* dataDir;  // nullptr: no --data-dir
    const char* xdgDataHome;
    const char* home;
    std::set<std::string> existing;  // files that exist
    DataPlace place;
    const char* notesPath;
    const char* trivPath;
    const char* trivTmpPath;
    bool bCreate;
};

class DataLocationRule : public testing::TestWithParam<LocationCase> {};

void ExpectPlaces(const LocationCase& c) {
    DataLocationQuery query;
    query.strExeDir = c.exeDir;
    query.bExeDirWritable = c.bWritable;
    if (c.dataDir) query.strDataDir = c.dataDir;
    query.strXdgDataHome = c.xdgDataHome;
    query.strHome = c.home;
    const DataLocation location = LocateDataFiles(
        query, [&](const std::string& strPath) { return c.existing.count(strPath) > 0; });
    EXPECT_EQ(location.place, c.place);
    EXPECT_EQ(location.strNotesPath, c.notesPath);
    EXPECT_EQ(location.strNotesDir + "/notes.dat", c.notesPath);
    EXPECT_EQ(location.strTrivPath, c.trivPath);
    EXPECT_EQ(location.strTrivTmpPath, c.trivTmpPath);
    EXPECT_EQ(location.strTrivTmpDir + "/triv.tmp", c.trivTmpPath);
    EXPECT_EQ(location.bCreateNotesDir, c.bCreate);
}

TEST_P(DataLocationRule, PlacesEachFile) {
#ifdef _WIN32
    GTEST_SKIP() << "the rule's cases are POSIX paths and XDG folders; WindowsFiles.* checks the "
                    "Windows places";
#endif
    ExpectPlaces(GetParam());
}

const std::string kBundled = "/usr/share/brisaloo/triv.dat";
const std::string kUserData = "/home/u/.local/share/brisaloo";

INSTANTIATE_TEST_SUITE_P(Rule, DataLocationRule,
                         testing::Values(
                             // Copies the user can write beside keep everything there.
                             LocationCase{"UnpackedFolder",
                                          "/home/u/trip",
                                          true,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {"/home/u/trip/triv.dat"},
                                          DataPlace::BesideExecutable,
                                          "/home/u/trip/notes.dat",
                                          "/home/u/trip/triv.dat",
                                          "/home/u/trip/triv.tmp",
                                          false},
                             LocationCase{"BuildDirectoryWithoutTrivia",
                                          "/src/build",
                                          true,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {},
                                          DataPlace::BesideExecutable,
                                          "/src/build/notes.dat",
                                          "/src/build/triv.dat",
                                          "/src/build/triv.tmp",
                                          false},
                             LocationCase{"WritableFolderWithOnlyNotesKeepsThem",
                                          "/usr/bin",
                                          true,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {"/usr/bin/notes.dat", kBundled},
                                          DataPlace::BesideExecutable,
                                          "/usr/bin/notes.dat",
                                          kBundled.c_str(),
                                          "/usr/bin/triv.tmp",
                                          false},
                             LocationCase{"ProgramInTheRootDirectory",
                                          "",
                                          true,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {"/triv.dat"},
                                          DataPlace::BesideExecutable,
                                          "/notes.dat",
                                          "/triv.dat",
                                          "/triv.tmp",
                                          false},
                             // Installed copies keep the user's notes in the user's data home.
                             LocationCase{"InstalledXdgUnset",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {kBundled},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          kBundled.c_str(),
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"InstalledXdgSet",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "/home/u/data/",
                                          "/home/u",
                                          {kBundled},
                                          DataPlace::UserDataHome,
                                          "/home/u/data/brisaloo/notes.dat",
                                          kBundled.c_str(),
                                          "/home/u/data/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"InstalledRelativeXdgIsIgnored",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "data",
                                          "/home/u",
                                          {kBundled},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          kBundled.c_str(),
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"InstalledButTriviaMissingNamesTheBundledFile",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          kBundled.c_str(),
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"RootRunningTheInstalledCopy",
                                          "/usr/bin",
                                          true,
                                          nullptr,
                                          "",
                                          "/root",
                                          {kBundled},
                                          DataPlace::UserDataHome,
                                          "/root/.local/share/brisaloo/notes.dat",
                                          kBundled.c_str(),
                                          "/root/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"UserOwnPrefix",
                                          "/home/u/.local/bin",
                                          true,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {"/home/u/.local/share/brisaloo/triv.dat"},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          "/home/u/.local/share/brisaloo/triv.dat",
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"UsersOwnTriviaWinsOverTheBundledOne",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {kBundled, kUserData + "/triv.dat"},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          "/home/u/.local/share/brisaloo/triv.dat",
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"ReadOnlyFolderCopyReadsTheTriviaBesideIt",
                                          "/media/cd",
                                          false,
                                          nullptr,
                                          "",
                                          "/home/u",
                                          {"/media/cd/triv.dat"},
                                          DataPlace::UserDataHome,
                                          "/home/u/.local/share/brisaloo/notes.dat",
                                          "/media/cd/triv.dat",
                                          "/home/u/.local/share/brisaloo/triv.tmp",
                                          true},
                             LocationCase{"NoHomeAnywhereFallsBackToTheFolder",
                                          "/usr/bin",
                                          false,
                                          nullptr,
                                          "",
                                          "",
                                          {kBundled},
                                          DataPlace::BesideExecutable,
                                          "/usr/bin/notes.dat",
                                          kBundled.c_str(),
                                          "/usr/bin/triv.tmp",
                                          false},
                             // --data-dir wins over both.
                             LocationCase{"DataDirWithItsOwnTrivia",
                                          "/usr/bin",
                                          false,
                                          "/home/u/trip/",
                                          "",
                                          "/home/u",
                                          {kBundled, "/home/u/trip/triv.dat"},
                                          DataPlace::DataDir,
                                          "/home/u/trip/notes.dat",
                                          "/home/u/trip/triv.dat",
                                          "/home/u/trip/triv.tmp",
                                          true},
                             LocationCase{"DataDirForAnInstalledCopy",
                                          "/usr/bin",
                                          false,
                                          "/home/u/trip",
                                          "/x",
                                          "/home/u",
                                          {kBundled},
                                          DataPlace::DataDir,
                                          "/home/u/trip/notes.dat",
                                          kBundled.c_str(),
                                          "/home/u/trip/triv.tmp",
                                          true},
                             LocationCase{"DataDirForAFolderCopy",
                                          "/opt/b",
                                          true,
                                          "/home/u/trip",
                                          "",
                                          "/home/u",
                                          {"/opt/b/triv.dat"},
                                          DataPlace::DataDir,
                                          "/home/u/trip/notes.dat",
                                          "/opt/b/triv.dat",
                                          "/home/u/trip/triv.tmp",
                                          true},
                             LocationCase{"DataDirAndNoTriviaAnywhere",
                                          "/opt/b",
                                          true,
                                          "/home/u/trip",
                                          "",
                                          "/home/u",
                                          {},
                                          DataPlace::DataDir,
                                          "/home/u/trip/notes.dat",
                                          "/home/u/trip/triv.dat",
                                          "/home/u/trip/triv.tmp",
                                          true},
                             LocationCase{"EmptyDataDirIsNoDataDir",
                                          "/opt/b",
                                          true,
                                          "",
                                          "",
                                          "/home/u",
                                          {"/opt/b/triv.dat"},
                                          DataPlace::BesideExecutable,
                                          "/opt/b/notes.dat",
                                          "/opt/b/triv.dat",
                                          "/opt/b/triv.tmp",
                                          false}),
                         [](const testing::TestParamInfo<LocationCase>& info) {
                             return info.param.name;
                         });

// The per-user installer's folder is writable and holds triv.dat, yet the copy
// there is installed: its notes go to %LOCALAPPDATA%\Brisaloo.
class WindowsDataLocationRule : public testing::TestWithParam<LocationCase> {};

TEST_P(WindowsDataLocationRule, PlacesEachFile) {
#ifndef _WIN32
    GTEST_SKIP() << "Windows folders";
#endif
    ExpectPlaces(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Rule, WindowsDataLocationRule,
    testing::Values(LocationCase{"PerUserInstallFolder",
                                 "c:/users/U/AppData/Local/Programs/Brisaloo\\",
                                 true,
                                 nullptr,
                                 "C:\\Users\\u\\AppData\\Local",
                                 "",
                                 {"c:/users/U/AppData/Local/Programs/Brisaloo/triv.dat"},
                                 DataPlace::UserDataHome,
                                 "C:\\Users\\u\\AppData\\Local/Brisaloo/notes.dat",
                                 "c:/users/U/AppData/Local/Programs/Brisaloo/triv.dat",
                                 "C:\\Users\\u\\AppData\\Local/Brisaloo/triv.tmp",
                                 true},
                    LocationCase{"FolderBesideIt",
                                 "C:\\Users\\u\\AppData\\Local\\Programs\\Brisaloo2",
                                 true,
                                 nullptr,
                                 "C:\\Users\\u\\AppData\\Local",
                                 "",
                                 {"C:\\Users\\u\\AppData\\Local\\Programs\\Brisaloo2/triv.dat"},
                                 DataPlace::BesideExecutable,
                                 "C:\\Users\\u\\AppData\\Local\\Programs\\Brisaloo2/notes.dat",
                                 "C:\\Users\\u\\AppData\\Local\\Programs\\Brisaloo2/triv.dat",
                                 "C:\\Users\\u\\AppData\\Local\\Programs\\Brisaloo2/triv.tmp",
                                 false}),
    [](const testing::TestParamInfo<LocationCase>& info) { return info.param.name; });

struct UserDirCase {
    const char* xdg;
    const char* home;
    const char* expected;
};

class UserDataDirRule : public testing::TestWithParam<UserDirCase> {};

TEST_P(UserDataDirRule, FollowsTheBaseDirectoryRules) {
#ifdef _WIN32
    GTEST_SKIP() << "the rule's cases are POSIX paths and XDG folders; WindowsFiles.* checks the "
                    "Windows places";
#endif
    EXPECT_EQ(UserDataDir(GetParam().xdg, GetParam().home), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, UserDataDirRule,
    testing::Values(UserDirCase{"", "/home/u", "/home/u/.local/share/brisaloo"},
                    UserDirCase{"/d", "/home/u", "/d/brisaloo"},
                    UserDirCase{"/", "/home/u", "/brisaloo"},
                    UserDirCase{"rel", "/home/u/", "/home/u/.local/share/brisaloo"},
                    UserDirCase{"", "", ""}, UserDirCase{"", "relative", ""}));

struct StateCase {
    const char* name;
    const char* dataDir;  // nullptr: no --data-dir
    const char* xdgStateHome;
    const char* home;
    const char* statePath;
};

class StatePlace : public testing::TestWithParam<StateCase> {};

TEST_P(StatePlace, AlertStateHasAPlaceOfItsOwn) {
#ifdef _WIN32
    GTEST_SKIP() << "the rule's cases are POSIX paths and XDG folders";
#endif
    const StateCase& c = GetParam();
    DataLocationQuery query;
    query.strExeDir = "/usr/bin";
    if (c.dataDir) query.strDataDir = c.dataDir;
    query.strXdgStateHome = c.xdgStateHome;
    query.strHome = c.home;
    EXPECT_EQ(LocateDataFiles(query, [](const std::string&) { return false; }).strStatePath,
              c.statePath);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, StatePlace,
    testing::Values(
        StateCase{"XdgUnset", nullptr, "", "/home/u", "/home/u/.local/state/brisaloo/state"},
        StateCase{"XdgSet", nullptr, "/s/", "/home/u", "/s/brisaloo/state"},
        StateCase{"RelativeXdgIsIgnored", nullptr, "s", "/home/u",
                  "/home/u/.local/state/brisaloo/state"},
        StateCase{"DataDirKeepsItsOwn", "/home/u/trip/", "/s", "/home/u", "/home/u/trip/state"},
        StateCase{"NoHomeBesideTheNotes", nullptr, "", "", "/usr/bin/state"}),
    [](const testing::TestParamInfo<StateCase>& info) { return std::string(info.param.name); });

class DataDirectoryOnDisk : public testing::Test {
protected:
    TempDir m_root;
};

TEST_F(DataDirectoryOnDisk, CreatesMissingLevelsPrivately) {
    const std::string strDir = (m_root / "a/b/brisaloo").string();
    std::string strError;
    ASSERT_TRUE(EnsureDirectory(strDir, strError)) << strError;
    struct stat info {};
    ASSERT_EQ(::stat(strDir.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
#ifndef _WIN32
    EXPECT_EQ(info.st_mode & 0777, 0700u);
#endif
    EXPECT_TRUE(EnsureDirectory(strDir, strError)) << "an existing folder is fine";
}

TEST_F(DataDirectoryOnDisk, AFileInTheWayIsReported) {
    std::ofstream(m_root / "brisaloo") << "x";
    std::string strError;
    EXPECT_FALSE(EnsureDirectory((m_root / "brisaloo").string(), strError));
    EXPECT_NE(strError.find("brisaloo"), std::string::npos) << strError;
    EXPECT_FALSE(EnsureDirectory((m_root / "brisaloo/sub").string(), strError));
}

TEST_F(DataDirectoryOnDisk, ThisProcessReadsTheEnvironmentAndTheDisk) {
#ifdef _WIN32
    GTEST_SKIP() << "the installed layout there is Program Files and %LOCALAPPDATA%: "
                    "WindowsFiles.DataLocationOfThisProcess";
#endif
    // An installed layout the test can write to: the bundled trivia decides.
    std::filesystem::create_directories(m_root / "bin");
    std::filesystem::create_directories(m_root / "share/brisaloo");
    std::ofstream(m_root / "share/brisaloo/triv.dat") << "x";
    const std::string strXdg = (m_root / "xdg-data").string();
    ScopedEnv xdg("XDG_DATA_HOME", strXdg.c_str());

    const DataLocation installed =
        LocateDataFilesForThisProcess((m_root / "bin").string(), std::nullopt);
    EXPECT_EQ(installed.place, DataPlace::UserDataHome);
    EXPECT_EQ(installed.strNotesDir, strXdg + "/brisaloo");
    EXPECT_EQ(installed.strTrivPath, (m_root / "share/brisaloo/triv.dat").string());

    std::ofstream(m_root / "bin/triv.dat") << "x";
    const DataLocation folder =
        LocateDataFilesForThisProcess((m_root / "bin").string(), std::nullopt);
    EXPECT_EQ(folder.place, DataPlace::BesideExecutable);
    EXPECT_EQ(folder.strTrivPath, (m_root / "bin/triv.dat").string());
}

}  // namespace
