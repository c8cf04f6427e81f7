// SPDX-License-Identifier: GPL-3.0-or-later
// What only Windows has: wide paths, the read-only attribute, reparse points
// and the per-user Run key (Wine's registry in the test prefix).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "app/Autostart.h"
#include "app/DataLocation.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"
#include "trivia/TriviaLoader.h"

namespace {

std::string Utf8Of(const std::filesystem::path& path) {
    return Utf8Path(path.wstring());
}

TEST(WindowsFiles, NonAsciiFolderHoldsNotesAndTrivia) {
    TempDir root;
    const std::string strDir =
        Utf8Of(root.Path()) + "\\Reisenotizen \xC3\xA4\xC3\xB6\xC3\xBC \xE6\x97\x85";
    std::string strError;
    ASSERT_TRUE(EnsureDirectory(strDir, strError)) << strError;
    const std::string strNotes = strDir + "\\notes.dat";
    ASSERT_EQ(ReplaceFileAtomically(strNotes, "a\r\nb\r\n.\r\n"), std::nullopt);
    ASSERT_EQ(ReplaceFileAtomically(strNotes, "c\r\n"), std::nullopt);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(strNotes, bytes));
    EXPECT_EQ(bytes, "c\r\n") << "bytes as written: no CR LF translation";

    ASSERT_EQ(ReplaceFileAtomically(strDir + "\\triv.dat", PackTrivia("1|GEO|Q?|A|\n")),
              std::nullopt);
    auto table = std::make_unique<TriviaTable>();
    EXPECT_TRUE(LoadTrivia(strDir, *table).messages.empty());
    EXPECT_EQ(table->m_nTriviaLines, 1);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(WidePath(strDir + "\\triv.tmp"))));
}

TEST(WindowsFiles, ReadOnlyAttributeIsRefused) {
    TempDir dir;
    WriteFileBytes(dir / "notes.dat", "old");
    ASSERT_TRUE(
        ::SetFileAttributesW((dir / "notes.dat").wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    const auto error = ReplaceFileAtomically(dir.File("notes.dat"), "new");
    ::SetFileAttributesW((dir / "notes.dat").wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "the file is read-only");
    EXPECT_EQ(ReadFileBytes(dir / "notes.dat"), "old");
}

// True when a symbolic link now stands at link. Wine's CreateSymbolicLinkW
// reports success and makes nothing, so the result is checked.
bool MakeLink(const std::filesystem::path& link, const std::filesystem::path& target) {
    ::CreateSymbolicLinkW(link.wstring().c_str(), target.wstring().c_str(),
                          SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD dwAttributes = ::GetFileAttributesW(link.wstring().c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES &&
           (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Plants a link at triv.tmp right after the loader removed what was there, as
// another process could between that and the create.
class LinkPlantingFileOps final : public PosixFileOps {
public:
    explicit LinkPlantingFileOps(std::filesystem::path target) : m_target(std::move(target)) {}
    int Unlink(const char* pszPath) override {
        const int nResult = PosixFileOps::Unlink(pszPath);
        if (!m_bPlanted) m_bPlanted = MakeLink(std::filesystem::path(WidePath(pszPath)), m_target);
        return nResult;
    }
    std::filesystem::path m_target;
    bool m_bPlanted = false;
};

TEST(WindowsFiles, ReparsePointAtTrivTmpIsNeverWrittenThrough) {
    TempDir dir;
    WriteFileBytes(dir / "canary", "canary");
    WriteFileBytes(dir / "triv.dat", PackTrivia("1|GEO|Q?|A|\n"));
    auto table = std::make_unique<TriviaTable>();
    if (!MakeLink(dir / "triv.tmp", dir / "canary"))
        GTEST_SKIP() << "no symbolic link can be made here (Wine makes none; Windows needs "
                        "developer mode or the right to create links)";
    EXPECT_TRUE(LoadTrivia(dir.Str(), *table).messages.empty()) << "the old link is removed";

    LinkPlantingFileOps ops(dir / "canary");
    const auto result = LoadTrivia(dir.File("triv.dat"), dir.File("triv.tmp"), *table, "", ops);
    ASSERT_TRUE(ops.m_bPlanted);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].rfind(kUnableToOpenFile, 0), 0u);
    EXPECT_EQ(ReadFileBytes(dir / "canary"), "canary");
}

TEST(WindowsFiles, RunValueIsWrittenAndRemoved) {
    const std::string strExe = "C:\\Program Files\\Brisaloo\\brisaloo.exe";
    EXPECT_EQ(AutostartRunCommand(strExe, {"--data-dir", "D:\\my notes\\"}),
              "\"C:\\Program Files\\Brisaloo\\brisaloo.exe\" --hidden --data-dir "
              "\"D:\\my notes\\\\\"");
    StringSink out, err;
    ASSERT_EQ(RunAutostartCommand(true, strExe, {}, out, err), 0) << err.str();
    EXPECT_EQ(ReadAutostartRunValue(), "\"" + strExe + "\" --hidden");
    ASSERT_EQ(RunAutostartCommand(false, strExe, {}, out, err), 0) << err.str();
    EXPECT_EQ(ReadAutostartRunValue(), std::nullopt);
    EXPECT_EQ(RunAutostartCommand(false, strExe, {}, out, err), 0) << "an absent value is fine";
}

TEST(WindowsFiles, DataLocationOfThisProcess) {
    TempDir root;
    const std::string strLocal = Utf8Of(root / "Local");
    ScopedEnv local("LOCALAPPDATA", strLocal.c_str());
    WriteFileBytes(root / "triv.dat", "x");
    const DataLocation portable = LocateDataFilesForThisProcess(root.Str(), std::nullopt);
    EXPECT_EQ(portable.place, DataPlace::BesideExecutable);
    EXPECT_EQ(portable.strTrivPath, root.Str() + "/triv.dat") << "Windows takes either slash";
}

// A user name beyond the ANSI code page ("José Анна"): %LOCALAPPDATA% is read
// as Windows keeps it, so the installed copy's notes go to the user's folder.
TEST(WindowsFiles, InstalledCopyOfANonAsciiUserKeepsItsNotesInLocalAppData) {
    TempDir root;
    const std::wstring strLocal = root.Path().wstring() + L"\\Jos\u00e9 \u0410\u043d\u043d\u0430";
    const std::string strExeDir = Utf8Path(strLocal) + "\\Programs\\Brisaloo";
    std::string strError;
    ASSERT_TRUE(EnsureDirectory(strExeDir, strError)) << strError;
    ASSERT_EQ(ReplaceFileAtomically(strExeDir + "\\triv.dat", "x"), std::nullopt);
    const wchar_t* pszOld = ::_wgetenv(L"LOCALAPPDATA");
    const std::wstring strOld = pszOld ? pszOld : L"";
    ASSERT_EQ(::_wputenv_s(L"LOCALAPPDATA", strLocal.c_str()), 0);
    const DataLocation location = LocateDataFilesForThisProcess(strExeDir, std::nullopt);
    ::_wputenv_s(L"LOCALAPPDATA", strOld.c_str());
    EXPECT_EQ(location.strNotesDir, Utf8Path(strLocal) + "/Brisaloo");
    EXPECT_EQ(location.strTrivPath, strExeDir + "/triv.dat");
}

}  // namespace
