// SPDX-License-Identifier: GPL-3.0-or-later
// A profile file read and written through IniFileProfile: whatever the
// file holds, start-up gets the stored integers that can be read and the
// defaults for the rest, and Setup's values reach the file in place and read
// back.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/IniFileProfile.h"
#include "app/IniText.h"
#include "app/ProfileSettings.h"
#include "countdown/Clock.h"
#include "files/TextSink.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// Year, month, day, hour, minute, trivia interval, hide on start (0 or 1).
using Values = std::vector<int>;
const Values kDefaults{2000, 1, 1, 0, 1, 30, 0};

Values Read(const std::string& strPath) {
    IniFileProfile profile(strPath);
    const Settings read = ReadProfileSettings(profile);
    Values values;
    for (const ProfileSetting& setting : kProfileSettings) values.push_back(setting.Get(read));
    return values;
}

// True when every write was reported done.
bool Write(const std::string& strPath, const Values& values) {
    IniFileProfile profile(strPath);
    Settings settings;
    for (std::size_t i = 0; i < kProfileSettings.size(); ++i)
        kProfileSettings[i].Set(settings, values[i]);
    return WriteProfileSettings(profile, settings);
}

std::string RandomBinary(std::size_t nSize) {
    std::mt19937 engine(20260601);
    std::string bytes(nSize, '\0');
    for (char& c : bytes) c = static_cast<char>(engine() & 0xFF);
    return bytes;
}

Values With(std::size_t i, int nValue) {
    Values settings = kDefaults;
    settings[i] = nValue;
    return settings;
}

struct BrokenCase {
    const char* pszName;
    std::string strBytes;
    Values expected;
};

class ProfileFault : public testing::Test {
protected:
    std::string IniPath() const { return m_dir.File("Brisaloo.ini"); }
    TempDir m_dir;
};

class BrokenProfile : public ProfileFault, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenProfile, ReadsWhatItCan) {
    WriteFileBytes(IniPath(), GetParam().strBytes);
    EXPECT_EQ(Read(IniPath()), GetParam().expected);
}

// Setup over a broken file: every write is reported done, the values read
// back now and at the next start, and whatever else of the file could be
// read stays.
TEST_P(BrokenProfile, SetupWritesOverIt) {
    WriteFileBytes(IniPath(), GetParam().strBytes + "\n[Other]\nKeep=this\n");
    const auto other = [this] {
        const IniValues values = ParseIniText(ReadFileBytes(IniPath()));
        const auto it = values.find("Other/Keep");
        return it == values.end() ? std::string() : it->second;
    };
    const std::string strOtherBefore = other();
    const Values written{2027, 6, 15, 18, 30, 45, 1};
    EXPECT_TRUE(Write(IniPath(), written));
    EXPECT_EQ(Read(IniPath()), written);
    if (!strOtherBefore.empty()) {
        EXPECT_EQ(other(), strOtherBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenProfile,
    testing::Values(
        BrokenCase{"EmptyFile", "", kDefaults},
        BrokenCase{"TruncatedInAKey", "[DESTINATION]\nYEAR=2031\nMONTH=7\nDA",
                   Values{2031, 7, 1, 0, 1, 30, 0}},
        BrokenCase{"TruncatedInASectionName", "[DESTINATION]\nYEAR=2031\n[SETT", With(0, 2031)},
        BrokenCase{"SectionWithoutClosingBracket",
                   "[SETTINGS]\nTRIVTIME=45\n[DESTINATION\nYEAR=2031\n",
                   Values{2031, 1, 1, 0, 1, 45, 0}},
        BrokenCase{"BinaryJunk", RandomBinary(4096), kDefaults},
        BrokenCase{"NulInsideAValue",
                   "[DESTINATION]\nYEAR=20\0"s
                   "31\n[SETTINGS]\nTRIVTIME=5\n",
                   With(5, 5)},
        BrokenCase{"HugeNumbers",
                   "[DESTINATION]\nYEAR=99999999999999999999\nMONTH=2147483648\n"
                   "DAY=-2147483649\n[SETTINGS]\nTRIVTIME=2147483647\n",
                   With(5, 2147483647)},
        // Any HIDESTART but 0 is on.
        BrokenCase{"NegativeValues",
                   "[DESTINATION]\nMONTH=-3\n[SETTINGS]\nTRIVTIME=-30\nHIDESTART=-1\n",
                   Values{2000, -3, 1, 0, 1, -30, 1}},
        BrokenCase{"KeysWithoutValues",
                   "[DESTINATION]\nYEAR=\nMONTH\nDAY= \n[SETTINGS]\nTRIVTIME=\n", kDefaults},
        BrokenCase{"DuplicateKeysTheLastCounts", "[DESTINATION]\nYEAR=2030\nYEAR=2031\n",
                   With(0, 2031)},
        BrokenCase{"SectionTwice",
                   "[DESTINATION]\nYEAR=2030\n[SETTINGS]\nTRIVTIME=5\n[DESTINATION]\nMONTH=5\n",
                   Values{2030, 5, 1, 0, 1, 5, 0}},
        BrokenCase{"NotIntegers", "[DESTINATION]\nYEAR=soon\nMONTH=1,2\nDAY=0x1F\nHOUR=1.5\n",
                   kDefaults},
        BrokenCase{"QuotesBlanksCrLfByteOrderMark",
                   "\xEF\xBB\xBF[DESTINATION]\r\nYEAR=\"2031\"\r\nMONTH= 7 \r\n",
                   Values{2031, 7, 1, 0, 1, 30, 0}},
        // Values another INI reader would decode into objects are only text
        // here: a damaged one cannot make reading the file reserve gigabytes.
        BrokenCase{"BinaryVariantWithAHugeCount",
                   "[DESTINATION]\nYEAR=@Variant(\\0\\0\\0\\t(\\0\\x2\\0\\0]a)\n"
                   "MONTH=@Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xf0)\n"
                   "[SETTINGS]\nTRIVTIME=@Rect(1 2 3 4)\nHIDESTART=1\n",
                   With(6, 1)},
        BrokenCase{"Comments",
                   "; Brisaloo\n# profile\n[DESTINATION]\nYEAR=2031 ; the big year\n;MONTH=5\n",
                   With(0, 2031)},
        BrokenCase{"OneLineOfAMegabyte",
                   "[DESTINATION]\nYEAR=" + std::string(1 << 20, '7') + "\nMONTH=3\n", With(1, 3)}),
    [](const auto& info) { return std::string(info.param.pszName); });

struct ShapeCase {
    const char* pszName;
    std::optional<std::string> before;  // nullopt: no file yet
    std::string strAfter;
};

class ProfileShape : public ProfileFault, public testing::WithParamInterface<ShapeCase> {};

// Setup's OK changes the values it must and nothing else of the file.
TEST_P(ProfileShape, SetupKeepsIt) {
    const ShapeCase& c = GetParam();
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    if (c.before) {
        WriteFileBytes(IniPath(), *c.before);
        fs::permissions(IniPath(), mode);
    }
    EXPECT_TRUE(Write(IniPath(), {2027, 6, 15, 18, 30, 45, 1}));
    EXPECT_EQ(ReadFileBytes(IniPath()), c.strAfter);
#ifndef _WIN32
    if (c.before) {
        EXPECT_EQ(fs::status(IniPath()).permissions(), mode);
    }
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileShape,
    testing::Values(ShapeCase{"NewFileInTheTablesOrder", std::nullopt,
                              "[DESTINATION]\nYEAR=2027\nMONTH=6\nDAY=15\nHOUR=18\nMINUTE=30\n\n"
                              "[SETTINGS]\nTRIVTIME=45\nHIDESTART=1\n"},
                    ShapeCase{"HandWrittenCrLf",
                              "; my trip\r\n[SETTINGS]\r\nHIDESTART=0\r\nTRIVTIME=30\r\n"
                              "COLOUR=blue\r\n\r\n[DESTINATION]\r\nMINUTE=5\r\nHOUR=16\r\n"
                              "DAY=\"10\" ; tenth\r\nMONTH=12\r\n",
                              "; my trip\r\n[SETTINGS]\r\nHIDESTART=1\r\nTRIVTIME=45\r\n"
                              "COLOUR=blue\r\n\r\n[DESTINATION]\r\nMINUTE=30\r\nHOUR=18\r\n"
                              "DAY=\"15\" ; tenth\r\nMONTH=6\r\nYEAR=2027\r\n"}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(ProfileFault, WrittenValueReadsBackThroughTheSameProfile) {
    IniFileProfile profile(IniPath());
    EXPECT_TRUE(profile.WriteProfileInt("SETTINGS", "TRIVTIME", 45));
    EXPECT_EQ(profile.GetProfileInt("SETTINGS", "TRIVTIME", 30), 45);
}

// All keys in one edit: one replace of the file, and none when nothing changes.
TEST_F(ProfileFault, SeveralKeysAreOneReplace) {
    IniFileProfile profile(IniPath());
    ASSERT_TRUE(
        profile.WriteProfileInts({{"DESTINATION", "YEAR", 2031}, {"SETTINGS", "TRIVTIME", 5}}));
    EXPECT_EQ(ReadFileBytes(IniPath()), "[DESTINATION]\nYEAR=2031\n\n[SETTINGS]\nTRIVTIME=5\n");
    const fs::file_time_type timeOld = fs::last_write_time(IniPath()) - std::chrono::hours(1);
    fs::last_write_time(IniPath(), timeOld);
    EXPECT_TRUE(profile.WriteProfileInts({{"DESTINATION", "YEAR", 2031}}));
    EXPECT_EQ(fs::last_write_time(IniPath()), timeOld) << "an unchanged text is not written";
}

TEST_F(ProfileFault, MissingFileGivesDefaultsAndCreatesNothing) {
    EXPECT_EQ(Read(IniPath()), kDefaults);
    EXPECT_FALSE(fs::exists(IniPath()));
}

TEST_F(ProfileFault, DirectoryInPlaceOfTheFile) {
    fs::create_directory(IniPath());
    EXPECT_EQ(Read(IniPath()), kDefaults);
    EXPECT_FALSE(Write(IniPath(), kDefaults));
    EXPECT_TRUE(fs::is_directory(IniPath()));
}

TEST_F(ProfileFault, FolderThatCannotBeMadeIsAFailedWrite) {
    WriteFileBytes(m_dir / "config", "a file, not a folder");
    const std::string strPath = m_dir.File("config/Brisaloo/Brisaloo.ini");
    EXPECT_EQ(Read(strPath), kDefaults);
    EXPECT_FALSE(Write(strPath, kDefaults));
}

struct UnreadableCase {
    const char* pszName;
    std::function<void(const std::string&)> make;  // something that is no readable file
    const char* pszReason;
};

class UnreadableProfile : public ProfileFault,
                          public testing::WithParamInterface<UnreadableCase> {};

// A profile that is there but cannot be read is not taken for an empty one:
// the reason reaches --print and Setup, the defaults apply, and the thing at
// that name stays as it is.
TEST_P(UnreadableProfile, IsToldAndKept) {
    const UnreadableCase& c = GetParam();
    c.make(IniPath());
    const fs::file_type type = fs::status(IniPath()).type();
    IniFileProfile profile(IniPath());
    const auto failure = profile.ReadFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->strFile, IniPath());
    EXPECT_EQ(failure->strReason, c.pszReason);
    EXPECT_EQ(Read(IniPath()), kDefaults);

    FixedClock clock;
    StringSink out, err;
    EXPECT_EQ(PrintCountdown(profile, clock, std::nullopt, out, err), kExitFailure);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "brisaloo: The settings file " + IniPath() +
                             " could not be read: " + c.pszReason + "\n");

    EXPECT_FALSE(Write(IniPath(), With(0, 2031)));
    EXPECT_EQ(ProfileNotSavedMessage(profile),
              "The settings were not saved: Brisaloo could not read the settings file " +
                  IniPath() + " (" + c.pszReason +
                  ") and does not replace a file it cannot read. They apply until Brisaloo ends.");
    EXPECT_EQ(fs::status(IniPath()).type(), type);
}

const std::vector<UnreadableCase> kUnreadableCases{
    {"Folder", [](const std::string& p) { fs::create_directory(p); }, "it is a folder"},
#ifndef _WIN32
    {"Fifo", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, "it is not a regular file"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableProfile, testing::ValuesIn(kUnreadableCases),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(ProfileFault, ReadableOrMissingHasNoReadFailure) {
    IniFileProfile profile(IniPath());
    EXPECT_EQ(profile.ReadFailure(), std::nullopt);
    WriteFileBytes(IniPath(), "[DESTINATION]\nYEAR=soon\n");
    EXPECT_EQ(profile.ReadFailure(), std::nullopt);
}

struct PathCase {
    const char* pszName;
    const char* pszConfigHome;
    const char* pszHome;
    const char* pszPath;
};

class DefaultProfilePathRule : public testing::TestWithParam<PathCase> {};

TEST_P(DefaultProfilePathRule, FollowsTheEnvironment) {
    const PathCase& c = GetParam();
    EXPECT_EQ(DefaultProfilePath(c.pszConfigHome, c.pszHome), c.pszPath);
}

#ifdef _WIN32
const auto kPathCases =
    testing::Values(PathCase{"AppData", "C:\\Users\\u\\AppData\\Roaming", "",
                             "C:\\Users\\u\\AppData\\Roaming\\Brisaloo\\Brisaloo.ini"},
                    PathCase{"AppDataWithSeparatorAtTheEnd", "C:\\Users\\u\\AppData\\Roaming\\", "",
                             "C:\\Users\\u\\AppData\\Roaming\\Brisaloo\\Brisaloo.ini"},
                    PathCase{"NoAppData", "", "C:\\Users\\u", ""});
#else
const auto kPathCases = testing::Values(
    PathCase{"ConfigHome", "/home/u/cfg", "/home/u", "/home/u/cfg/Brisaloo/Brisaloo.ini"},
    PathCase{"ConfigHomeWithSlashes", "/home/u/cfg//", "/home/u",
             "/home/u/cfg/Brisaloo/Brisaloo.ini"},
    PathCase{"Unset", "", "/home/u", "/home/u/.config/Brisaloo/Brisaloo.ini"},
    PathCase{"RelativeIsIgnored", "cfg", "/home/u/", "/home/u/.config/Brisaloo/Brisaloo.ini"},
    PathCase{"RootHome", "", "/", "/.config/Brisaloo/Brisaloo.ini"},
    PathCase{"NoHome", "", "", "/.config/Brisaloo/Brisaloo.ini"});
#endif

INSTANTIATE_TEST_SUITE_P(Rule, DefaultProfilePathRule, kPathCases,
                         [](const auto& info) { return std::string(info.param.pszName); });

}  // namespace
