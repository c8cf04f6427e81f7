// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaLoader.h"
#include "trivia/TriviaTable.h"

namespace fs = std::filesystem;

namespace {

// The lines a text holds, by an independent reading: getline keeps the CR,
// counts a last line without LF and reads nothing after a final LF.
std::vector<std::string> ReferenceLines(const std::string& strText) {
    std::vector<std::string> lines;
    std::istringstream in(strText);
    for (std::string strLine; std::getline(in, strLine);) lines.push_back(strLine);
    return lines;
}

std::vector<std::string> TableLines(const TriviaTable& table) {
    return {table.m_strTrivia.begin() + 1, table.m_strTrivia.begin() + 1 + table.m_nTriviaLines};
}

class LoadTriviaTest : public testing::Test {
protected:
    TriviaLoadResult LoadPlain(const std::string& strPlain) {
        WriteFileBytes(m_dir / "triv.dat", PackTrivia(strPlain));
        return LoadTrivia(m_dir.Str(), *m_table);
    }
    bool TempGone() const { return !fs::exists(fs::symlink_status(m_dir / "triv.tmp")); }

    TempDir m_dir;
    std::unique_ptr<TriviaTable> m_table = std::make_unique<TriviaTable>();
};

struct LinesCase {
    const char* pszName;
    std::string strPlain;
    std::vector<std::string> lines;
};

class LoadTriviaLines : public LoadTriviaTest, public testing::WithParamInterface<LinesCase> {};

TEST_P(LoadTriviaLines, FillsSlotsFromOne) {
    const TriviaLoadResult result = LoadPlain(GetParam().strPlain);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(TableLines(*m_table), GetParam().lines);
    EXPECT_EQ(m_table->m_strTrivia[0], "");
    EXPECT_TRUE(TempGone());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LoadTriviaLines,
    testing::Values(LinesCase{"Empty", "", {}},
                    LinesCase{"ThreeLines", "1|A|\n2|B|\n3|C|\n", {"1|A|", "2|B|", "3|C|"}},
                    LinesCase{"LastLineWithoutLf", "1|A|\n2|B|", {"1|A|", "2|B|"}},
                    LinesCase{"BlankLineCounts", "1|A|\n\n3|C|\n", {"1|A|", "", "3|C|"}},
                    LinesCase{"OnlyLf", "\n", {""}},
                    LinesCase{"LeadingAndDoubleLf", "\n\nx", {"", "", "x"}},
                    LinesCase{"CrLfKeepsCr", "1|A|\r\n2|B|\r\n", {"1|A|\r", "2|B|\r"}},
                    LinesCase{"LoneCrIsData", "a\rb\n\r", {"a\rb", "\r"}},
                    LinesCase{"NulIsData", std::string("a\0b\n", 4), {std::string("a\0b", 3)}}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(LoadTriviaTest, DecodesEveryStoredByteWithWrapAround) {
    // 0xFF is data, not the end of the file; bytes below the shift wrap to the top.
    const std::string strStored{'\xFF',
                                '\x00',
                                static_cast<char>(kTriviaShift - 1),
                                static_cast<char>(kTriviaShift),
                                '\xFF',
                                static_cast<char>('\n' + kTriviaShift),
                                'z'};
    WriteFileBytes(m_dir / "triv.dat", strStored);
    EXPECT_TRUE(LoadTrivia(m_dir.Str(), *m_table).messages.empty());
    ASSERT_EQ(m_table->m_nTriviaLines, 2);
    const std::string strFirst{static_cast<char>(0xFF - kTriviaShift),
                               static_cast<char>(256 - kTriviaShift), '\xFF', '\0',
                               static_cast<char>(0xFF - kTriviaShift)};
    EXPECT_EQ(m_table->m_strTrivia[1], strFirst);
    EXPECT_EQ(m_table->m_strTrivia[2], std::string(1, static_cast<char>('z' - kTriviaShift)));
}

TEST_F(LoadTriviaTest, PackThenLoadGivesBackTheLinesOfAnyText) {
    std::mt19937 engine(20240601);
    for (int nRound = 0; nRound < 200; ++nRound) {
        std::string strPlain(engine() % 3000, '\0');
        // Every byte value, with LF and CR frequent enough to make many lines.
        for (char& c : strPlain) {
            const unsigned n = engine() % 300;
            c = n < 256 ? static_cast<char>(n) : (n < 280 ? '\n' : '\r');
        }
        LoadPlain(strPlain);
        ASSERT_EQ(TableLines(*m_table), ReferenceLines(strPlain)) << "round " << nRound;
    }
    EXPECT_TRUE(TempGone());
}

// "Unable To Open File", then the file and the system's reason, then what to do.
void ExpectUnableToOpen(const TriviaLoadResult& result, const std::string& strPath,
                        const std::string& strReason) {
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].rfind(
                  std::string(kUnableToOpenFile) + "\n" + strPath + ": " + strReason + ".\n", 0),
              0u)
        << result.messages[0];
    EXPECT_NE(result.messages[0].find("brisaloo-trivia check " + strPath), std::string::npos);
}

TEST_F(LoadTriviaTest, MissingFileIsUnableToOpen) {
    const TriviaLoadResult result = LoadTrivia(m_dir.Str(), *m_table);
    ExpectUnableToOpen(result, m_dir.Str() + "/triv.dat", "No such file or directory");
    EXPECT_EQ(m_table->m_nTriviaLines, 0);
    EXPECT_TRUE(TempGone());
}

TEST_F(LoadTriviaTest, DirectoryAsTriviaFileIsUnableToOpen) {
    fs::create_directory(m_dir / "triv.dat");
    ExpectUnableToOpen(LoadTrivia(m_dir.Str(), *m_table), m_dir.Str() + "/triv.dat",
                       "it is a folder");
}

TEST_F(LoadTriviaTest, FifoAsTriviaFileDoesNotHang) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no FIFO that can take a file's name";
#else
    ASSERT_EQ(::mkfifo((m_dir / "triv.dat").c_str(), 0600), 0);
    ExpectUnableToOpen(LoadTrivia(m_dir.Str(), *m_table), (m_dir / "triv.dat").string(),
                       "it is not a regular file");
#endif
}

TEST_F(LoadTriviaTest, ReloadLeavesNoEntryOfTheLastLoad) {
    LoadPlain("a\nb\nc\n");
    LoadPlain("x\n");
    EXPECT_EQ(TableLines(*m_table), std::vector<std::string>{"x"});
    EXPECT_EQ(m_table->m_strTrivia[2], "");
}

struct CountCase {
    int nFileLines;
    int nLoaded;
    bool bNotice;
};

class LoadTriviaCounts : public LoadTriviaTest, public testing::WithParamInterface<CountCase> {};

TEST_P(LoadTriviaCounts, KeepsAtMost4999AndSaysSoOnce) {
    std::string strPlain;
    for (int i = 1; i <= GetParam().nFileLines; ++i) strPlain += std::to_string(i) + "|ABC|Q|A|\n";
    const TriviaLoadResult result = LoadPlain(strPlain);

    EXPECT_EQ(m_table->m_nTriviaLines, GetParam().nLoaded);
    const std::string strLast = std::to_string(GetParam().nLoaded) + "|ABC|Q|A|";
    EXPECT_EQ(m_table->m_strTrivia[GetParam().nLoaded], strLast);
    if (GetParam().bNotice) {
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_NE(result.messages[0].find(std::to_string(GetParam().nFileLines)),
                  std::string::npos);
    } else {
        EXPECT_TRUE(result.messages.empty());
    }
    EXPECT_TRUE(TempGone());
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoadTriviaCounts,
                         testing::Values(CountCase{4998, 4998, false}, CountCase{4999, 4999, false},
                                         CountCase{5000, 4999, true},
                                         CountCase{10000, 4999, true}));

TEST_F(LoadTriviaTest, TenMegabyteLineLoadsWhole) {
    std::string strLine(10 * 1024 * 1024, 'q');
    strLine[0] = '|';
    strLine[5 * 1024 * 1024] = '\xFF';
    EXPECT_TRUE(LoadPlain(strLine).messages.empty());
    ASSERT_EQ(m_table->m_nTriviaLines, 1);
    EXPECT_TRUE(m_table->m_strTrivia[1] == strLine);
}

TEST_F(LoadTriviaTest, LeftoverTemporaryFileIsReplacedAndRemoved) {
    WriteFileBytes(m_dir / "triv.tmp", "stale\nlines\nfrom before\n");
    LoadPlain("fresh\n");
    EXPECT_EQ(TableLines(*m_table), std::vector<std::string>{"fresh"});
    EXPECT_TRUE(TempGone());
}

TEST_F(LoadTriviaTest, SymlinkAtTemporaryNameIsNeverWrittenThrough) {
    SKIP_WITHOUT_FILESYSTEM_SYMLINKS();
    const fs::path canary = m_dir / "canary";
    WriteFileBytes(canary, "do not touch");
    fs::permissions(canary, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(canary, m_dir / "triv.tmp");

    EXPECT_TRUE(LoadPlain("1|ABC|Q|A|\n").messages.empty());

    EXPECT_EQ(ReadFileBytes(canary), "do not touch");
    EXPECT_EQ(fs::status(canary).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(m_table->m_nTriviaLines, 1);
    EXPECT_TRUE(TempGone());
}

TEST_F(LoadTriviaTest, DanglingSymlinkAtTemporaryNameCreatesNothingAtItsTarget) {
    SKIP_WITHOUT_FILESYSTEM_SYMLINKS();
    fs::create_symlink(m_dir / "elsewhere", m_dir / "triv.tmp");
    EXPECT_TRUE(LoadPlain("x\n").messages.empty());
    EXPECT_FALSE(fs::exists(m_dir / "elsewhere"));
    EXPECT_TRUE(TempGone());
}

// Plants a link at the name just unlinked, as another process could between
// the loader's unlink and its open.
class LinkPlantingFileOps final : public PosixFileOps {
public:
    explicit LinkPlantingFileOps(fs::path target) : m_target(std::move(target)) {}
    int Unlink(const char* pszPath) override {
        const int nResult = PosixFileOps::Unlink(pszPath);
        if (!m_bPlanted) fs::create_symlink(m_target, pszPath);
        m_bPlanted = true;
        return nResult;
    }

private:
    fs::path m_target;
    bool m_bPlanted = false;
};

TEST_F(LoadTriviaTest, LinkPlantedAfterTheUnlinkIsNotWrittenThrough) {
    SKIP_WITHOUT_FILESYSTEM_SYMLINKS();
    const fs::path canary = m_dir / "canary";
    WriteFileBytes(canary, "do not touch");
    WriteFileBytes(m_dir / "triv.dat", PackTrivia("1|ABC|Q|A|\n"));
    LinkPlantingFileOps ops(canary);
    const TriviaLoadResult result = LoadTrivia((m_dir / "triv.dat").string(),
                                               (m_dir / "triv.tmp").string(), *m_table, "", ops);
    // The exclusive create refuses the link; the copy is made in a private folder instead.
    EXPECT_EQ(result.messages, std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(canary), "do not touch");
}

// Moves another file over triv.tmp while it is being written, as another
// process could before the loader reads it back.
class FileSwappingFileOps final : public PosixFileOps {
public:
    FileSwappingFileOps(std::string strTemp, std::string strOther)
        : m_strTemp(std::move(strTemp)), m_strOther(std::move(strOther)) {}
    ssize_t Write(int fd, const void* pData, std::size_t nSize) override {
        const ssize_t nWritten = PosixFileOps::Write(fd, pData, nSize);
        if (!m_bSwapped) m_bSwapped = Rename(m_strOther.c_str(), m_strTemp.c_str()) == 0;
        return nWritten;
    }
    std::string m_strTemp, m_strOther;
    bool m_bSwapped = false;
};

TEST_F(LoadTriviaTest, FileSwappedInAtTheTemporaryNameIsNotRead) {
    WriteFileBytes(m_dir / "triv.dat", PackTrivia("1|ABC|Q|A|\n"));
    WriteFileBytes(m_dir / "other", "9|XYZ|Planted?|Yes|\n");
    FileSwappingFileOps ops((m_dir / "triv.tmp").string(), (m_dir / "other").string());
    const TriviaLoadResult result =
        LoadTrivia((m_dir / "triv.dat").string(), (m_dir / "triv.tmp").string(), *m_table, "", ops);
#ifdef _WIN32
    if (!ops.m_bSwapped) GTEST_SKIP() << "a file open for writing cannot be replaced here";
#endif
    ASSERT_TRUE(ops.m_bSwapped);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find("another file took its place"), std::string::npos);
    EXPECT_EQ(m_table->m_nTriviaLines, 0);
}

// A data folder that takes no triv.tmp (read-only; for root, whom modes do not
// stop, a folder in the way) still gives the trivia: the copy is made in a
// private folder and removed with it.
struct PrivateFolderCase {
    const char* pszName;
    const char* pszPrivateDir;  // under a runtime folder; nullptr: none given
    fs::perms privateMode;      // of that folder when it exists beforehand
};

class LoadTriviaReadOnly : public LoadTriviaTest,
                           public testing::WithParamInterface<PrivateFolderCase> {};

TEST_P(LoadTriviaReadOnly, UnpacksIntoAPrivateFolder) {
#ifdef _WIN32
    GTEST_SKIP() << "the private folder is made with POSIX modes";
#endif
    const PrivateFolderCase& c = GetParam();
    TempDir runtime;
    TempDir tmpRoot;
    ScopedEnv tmpdir("TMPDIR", tmpRoot.Str().c_str());
    std::string strPrivate;
    if (c.pszPrivateDir) {
        strPrivate = (runtime / c.pszPrivateDir).string();
        if (c.privateMode != fs::perms::none) {
            fs::create_directory(strPrivate);
            fs::permissions(strPrivate, c.privateMode);
        }
    }
    WriteFileBytes(m_dir / "triv.dat", PackTrivia("1|GEO|Q?|A|\n"));
    fs::create_directories(m_dir / "triv.tmp" / "inside");
    fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    const TriviaLoadResult result = LoadTrivia((m_dir / "triv.dat").string(),
                                               (m_dir / "triv.tmp").string(), *m_table, strPrivate);
    fs::permissions(m_dir.Path(), fs::perms::owner_all);

    EXPECT_EQ(result.messages, std::vector<std::string>{});
    EXPECT_EQ(TableLines(*m_table), std::vector<std::string>{"1|GEO|Q?|A|"});
    EXPECT_TRUE(fs::is_directory(m_dir / "triv.tmp" / "inside"));
    if (!strPrivate.empty()) {
        EXPECT_FALSE(fs::exists(fs::path(strPrivate) / "triv.tmp"));
    }
    EXPECT_TRUE(fs::is_empty(tmpRoot.Path()));  // a mkdtemp folder goes again
}

INSTANTIATE_TEST_SUITE_P(
    Folders, LoadTriviaReadOnly,
    testing::Values(PrivateFolderCase{"RuntimeFolderMadeOnFirstUse", "brisaloo", fs::perms::none},
                    PrivateFolderCase{"RuntimeFolderOpenToOthersIsPassedOver", "brisaloo",
                                      fs::perms::owner_all | fs::perms::others_all},
                    PrivateFolderCase{"NoRuntimeFolder", nullptr, fs::perms::none}),
    [](const auto& info) { return std::string(info.param.pszName); });

// The runtime folder is used only when it is this user's and closed to
// everyone else; which folder took triv.tmp is read from the creates made.
class CreateRecorder final : public PosixFileOps {
public:
    int Open(const char* pszPath, int nFlags, mode_t mode) override {
        if (nFlags & O_CREAT) m_created.emplace_back(pszPath);
        return PosixFileOps::Open(pszPath, nFlags, mode);
    }
    std::vector<std::string> m_created;
};

struct RuntimeFolderCase {
    const char* pszName;
    fs::perms mode;
    bool bOtherOwner;  // chowned to nobody (65534): only root can set that up
    bool bUsed;
};

class RuntimeFolderGuard : public LoadTriviaTest,
                           public testing::WithParamInterface<RuntimeFolderCase> {};

TEST_P(RuntimeFolderGuard, TakesTheCopyOnlyWhenPrivate) {
#ifdef _WIN32
    GTEST_SKIP() << "the private folder is made with POSIX modes";
#else
    const RuntimeFolderCase& c = GetParam();
    if (c.bOtherOwner && ::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder away";
    TempDir runtime;
    TempDir tmpRoot;
    ScopedEnv tmpdir("TMPDIR", tmpRoot.Str().c_str());
    const std::string strPrivate = (runtime / "brisaloo").string();
    fs::create_directory(strPrivate);
    fs::permissions(strPrivate, c.mode);
    if (c.bOtherOwner) {
        ASSERT_EQ(::chown(strPrivate.c_str(), 65534, 65534), 0);
    }
    WriteFileBytes(m_dir / "triv.dat", PackTrivia("1|GEO|Q?|A|\n"));
    fs::create_directories(m_dir / "triv.tmp" / "inside");  // the data folder takes no triv.tmp
    CreateRecorder ops;
    const TriviaLoadResult result = LoadTrivia((m_dir / "triv.dat").string(),
                                               (m_dir / "triv.tmp").string(), *m_table, strPrivate,
                                               ops);

    EXPECT_EQ(result.messages, std::vector<std::string>{});
    ASSERT_EQ(ops.m_created.size(), 2u);
    EXPECT_EQ(ops.m_created[1] == strPrivate + "/triv.tmp", c.bUsed) << ops.m_created[1];
    EXPECT_EQ(ops.m_created[1].starts_with(tmpRoot.Str() + "/brisaloo-"), !c.bUsed)
        << ops.m_created[1];
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Folders, RuntimeFolderGuard,
    testing::Values(RuntimeFolderCase{"OwnAndClosed", fs::perms::owner_all, false, true},
                    RuntimeFolderCase{"OwnButReadableByOthers",
                                      fs::perms::owner_all | fs::perms::group_read |
                                          fs::perms::group_exec | fs::perms::others_read |
                                          fs::perms::others_exec,
                                      false, false},
                    RuntimeFolderCase{"ClosedButSomeoneElses", fs::perms::owner_all, true, false}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(LoadTriviaTest, TemporaryFileMayLiveElsewhere) {
    // An installed copy reads the bundled file and unpacks into the user's data folder.
    TempDir userDir;
    WriteFileBytes(m_dir / "triv.dat", PackTrivia("1|GEO|Q?|A|\n"));
    const TriviaLoadResult result =
        LoadTrivia((m_dir / "triv.dat").string(), (userDir / "triv.tmp").string(), *m_table);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(TableLines(*m_table), std::vector<std::string>{"1|GEO|Q?|A|"});
    EXPECT_TRUE(TempGone());
    EXPECT_FALSE(fs::exists(userDir / "triv.tmp"));
}

#ifndef _WIN32
// Runs in a child process: files may grow to 4 KB only, so writing triv.tmp fails.
[[noreturn]] void LoadWithSmallFileLimit(const std::string& strDir, TriviaTable& table) {
    const rlimit limit{4096, 4096};
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const TriviaLoadResult result = LoadTrivia(strDir, table);
    const bool bSaid = result.messages.size() == 1 &&
                       result.messages[0].find("could not be unpacked") != std::string::npos;
    const bool bTempGone = !fs::exists(fs::symlink_status(fs::path(strDir) / "triv.tmp"));
    std::exit(bSaid && table.m_nTriviaLines == 0 && bTempGone ? 0 : 1);
}
#endif

TEST_F(LoadTriviaTest, FailedUnpackingSaysSoAndLeavesNoHalfTable) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a file size limit (setrlimit) and a forked child";
#else
    std::string strPlain;
    for (int i = 1; i <= 2000; ++i) strPlain += std::to_string(i) + "|ABC|Question?|Answer|\n";
    WriteFileBytes(m_dir / "triv.dat", PackTrivia(strPlain));
    EXPECT_EXIT(LoadWithSmallFileLimit(m_dir.Str(), *m_table), testing::ExitedWithCode(0), "");
#endif
}

}  // namespace
