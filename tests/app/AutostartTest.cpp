// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "support/FailingFileOps.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace {

std::string ExecLine(const std::string& strText) {
    const auto start = strText.find("\nExec=");
    if (start == std::string::npos) return {};
    return strText.substr(start + 6, strText.find('\n', start + 1) - start - 6);
}

struct ExecCase {
    const char* name;
    std::string exePath;
    std::vector<std::string> extraArgs;
    const char* expected;
};

class AutostartExec : public testing::TestWithParam<ExecCase> {};

TEST_P(AutostartExec, QuotesAsDesktopEntriesRequire) {
    const ExecCase& c = GetParam();
    const auto text = AutostartEntryText(c.exePath, c.extraArgs);
    ASSERT_TRUE(text);
    EXPECT_EQ(ExecLine(*text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AutostartExec,
    testing::Values(
        ExecCase{"Plain", "/usr/bin/brisaloo", {}, "/usr/bin/brisaloo --hidden"},
        ExecCase{"Space", "/home/u/My Apps/brisaloo", {}, "\"/home/u/My Apps/brisaloo\" --hidden"},
        ExecCase{"DataDirFollows",
                 "/opt/b/brisaloo",
                 {"--data-dir", "/home/u/trip notes"},
                 "/opt/b/brisaloo --hidden --data-dir \"/home/u/trip notes\""},
        // Inside quotes " ` $ \ take a backslash, then every backslash is
        // doubled for the string escapes of the file.
        ExecCase{"DollarAndQuote", "/a/$x\"y/b", {}, "\"/a/\\\\$x\\\\\"y/b\" --hidden"},
        ExecCase{"Backslash", "/a\\b/c", {}, "\"/a\\\\\\\\b/c\" --hidden"},
        ExecCase{"PercentIsNotAFieldCode", "/a/100%/b", {}, "/a/100%%/b --hidden"},
        ExecCase{"EmptyArgument", "/a/b", {""}, "/a/b --hidden \"\""}),
    [](const testing::TestParamInfo<ExecCase>& info) { return info.param.name; });

TEST(AutostartEntry, StartsHiddenWithTheIcon) {
    const auto text = AutostartEntryText("/usr/bin/brisaloo");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* pszLine :
         {"\nType=Application\n", "\nName=Brisaloo\n", "\nIcon=brisaloo\n", "\nTerminal=false\n"})
        EXPECT_NE(text->find(pszLine), std::string::npos) << pszLine;
}

TEST(AutostartEntry, ControlCharacterCannotBeCarried) {
    EXPECT_FALSE(AutostartEntryText("/a/b\nc"));
    EXPECT_FALSE(AutostartEntryText("/a/b", {"x\ty"}));
}

struct ConfigCase {
    const char* xdg;
    const char* home;
    const char* expected;
};

class ConfigHomeRule : public testing::TestWithParam<ConfigCase> {};

TEST_P(ConfigHomeRule, FollowsTheBaseDirectoryRules) {
#ifdef _WIN32
    GTEST_SKIP() << "XDG folders are POSIX paths, which are not absolute on Windows";
#endif
    EXPECT_EQ(ConfigHome(GetParam().xdg, GetParam().home), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rule, ConfigHomeRule,
                         testing::Values(ConfigCase{"", "/home/u", "/home/u/.config"},
                                         ConfigCase{"/c/", "/home/u", "/c"},
                                         ConfigCase{"rel", "/home/u", "/home/u/.config"},
                                         ConfigCase{"", "/", "/.config"}, ConfigCase{"", "", ""}));

class AutostartOnDisk : public testing::Test {
protected:
    void SetUp() override {
        m_strConfig = m_root.File("config");
        m_strEntry = m_strConfig + "/autostart/brisaloo.desktop";
    }

    std::size_t FilesInAutostart() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(m_strConfig + "/autostart"))
            ++n;
        return n;
    }

    TempDir m_root;
    std::string m_strConfig;
    std::string m_strEntry;
};

TEST_F(AutostartOnDisk, WritesReplacesAndRemoves) {
    EXPECT_EQ(AutostartEntryPath(m_strConfig), m_strEntry);
    std::string strError;
    ASSERT_TRUE(WriteAutostartEntry(m_strConfig, "first\n", strError)) << strError;
    EXPECT_EQ(ReadFileBytes(m_strEntry), "first\n");
    ASSERT_TRUE(WriteAutostartEntry(m_strConfig, "second\n", strError)) << strError;
    EXPECT_EQ(ReadFileBytes(m_strEntry), "second\n");
    EXPECT_EQ(FilesInAutostart(), 1u) << "no temporary file is left behind";
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat(m_strEntry.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
#endif

    EXPECT_TRUE(RemoveAutostartEntry(m_strConfig, strError)) << strError;
    EXPECT_FALSE(std::filesystem::exists(m_strEntry));
    EXPECT_TRUE(RemoveAutostartEntry(m_strConfig, strError)) << "removing an absent entry is fine";
}

TEST_F(AutostartOnDisk, FailedSyncKeepsTheOldEntry) {
    std::string strError;
    ASSERT_TRUE(WriteAutostartEntry(m_strConfig, "first\n", strError)) << strError;
    FailingFileOps ops(FailingFileOps::Step::kFsync, EIO);
    EXPECT_FALSE(WriteAutostartEntry(m_strConfig, "second\n", strError, ops));
    EXPECT_NE(strError.find(m_strEntry), std::string::npos) << strError;
    EXPECT_EQ(ReadFileBytes(m_strEntry), "first\n");
    EXPECT_EQ(FilesInAutostart(), 1u);
}

TEST_F(AutostartOnDisk, UnwritablePlaceIsReportedByName) {
    std::ofstream(m_strConfig) << "a file where the folder should be";
    std::string strError;
    EXPECT_FALSE(WriteAutostartEntry(m_strConfig, "x\n", strError));
    EXPECT_NE(strError.find(m_strConfig), std::string::npos) << strError;
}

TEST_F(AutostartOnDisk, CommandFollowsTheEnvironment) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has the Run value instead: WindowsFiles.RunValueIsWrittenAndRemoved";
#endif
    ScopedEnv config("XDG_CONFIG_HOME", m_strConfig.c_str());
    StringSink out;
    StringSink err;
    EXPECT_EQ(RunAutostartCommand(true, "/usr/bin/brisaloo", {}, out, err), kExitOk);
    EXPECT_EQ(ExecLine(ReadFileBytes(m_strEntry)), "/usr/bin/brisaloo --hidden");
    EXPECT_NE(out.str().find(m_strEntry), std::string::npos) << out.str();
    EXPECT_EQ(err.str(), "");

    for (const char* pszSays : {" removed)", "(no autostart entry to remove)"}) {
        out = StringSink();
        EXPECT_EQ(RunAutostartCommand(false, "/usr/bin/brisaloo", {}, out, err), kExitOk);
        EXPECT_NE(out.str().find(pszSays), std::string::npos) << out.str();
        EXPECT_FALSE(std::filesystem::exists(m_strEntry));
    }
}

// The path that holds the control character is the one the complaint names.
TEST_F(AutostartOnDisk, ControlCharacterIsBlamedOnThePathThatHasIt) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has the Run value instead, which carries any character";
#endif
    ScopedEnv config("XDG_CONFIG_HOME", m_strConfig.c_str());
    const struct {
        const char* pszExe;
        const char* pszDataDir;
        const char* pszBlamed;
    } cases[] = {{"/usr/bin/bris\tloo", "/data", "the program's path"},
                 {"/usr/bin/brisaloo", "/data\nfolder", "the data folder's path"}};
    for (const auto& c : cases) {
        StringSink out;
        StringSink err;
        EXPECT_EQ(RunAutostartCommand(true, c.pszExe, {"--data-dir", c.pszDataDir}, out, err),
                  kExitFailure);
        EXPECT_TRUE(err.str().starts_with(std::string("brisaloo: ") + c.pszBlamed)) << err.str();
        EXPECT_FALSE(std::filesystem::exists(m_strEntry));
    }
}

TEST_F(AutostartOnDisk, CommandWithoutAnyHomeFails) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has the Run value instead: WindowsFiles.RunValueIsWrittenAndRemoved";
#endif
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    StringSink out;
    StringSink err;
    EXPECT_EQ(RunAutostartCommand(true, "/usr/bin/brisaloo", {}, out, err), kExitFailure);
    EXPECT_NE(err.str().find("HOME"), std::string::npos) << err.str();
}

}  // namespace
