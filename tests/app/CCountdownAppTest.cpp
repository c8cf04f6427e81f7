// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "app/CCountdownApp.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"

namespace {

class RecordingWindow final : public IMainWindow {
public:
    explicit RecordingWindow(CCountdownApp& app, std::vector<std::string>& log)
        : m_app(app), m_log(log) {}
    int DoModal() override {
        // Everything the window reads at its start must be in place by now.
        m_log.push_back("DoModal " + m_app.m_strNotesPath + " " +
                        std::to_string(m_app.m_settings.nYear));
        return 1;
    }

private:
    CCountdownApp& m_app;
    std::vector<std::string>& m_log;
};

struct PathCase {
    const char* exePath;
    const char* dataDir;
    const char* exeDir;
    const char* notesPath;
    const char* trivPath;
};

class StartupPaths : public testing::TestWithParam<PathCase> {};

TEST_P(StartupPaths, DataFilesSitBesideTheProgram) {
    const PathCase& c = GetParam();
    MemoryProfile profile;
    CCountdownApp app(profile);
    StartupOptions options{c.exePath, std::nullopt, std::nullopt};
    if (c.dataDir) options.strDataDir = c.dataDir;
    app.LoadPathsAndSettings(options);
    EXPECT_EQ(app.m_strExeDir, c.exeDir);
    EXPECT_EQ(app.m_strNotesPath, c.notesPath);
    EXPECT_EQ(app.m_strTrivPath, c.trivPath);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StartupPaths,
    testing::Values(
        PathCase{"/opt/apps/brisaloo", nullptr, "/opt/apps", "/opt/apps/notes.dat",
                 "/opt/apps/triv.dat"},
        PathCase{"/brisaloo", nullptr, "/", "/notes.dat", "/triv.dat"},
        PathCase{"/opt/apps/brisaloo", "/home/u/trip", "/opt/apps", "/home/u/trip/notes.dat",
                 "/home/u/trip/triv.dat"},
        PathCase{"/opt/apps/brisaloo", "/home/u/trip/", "/opt/apps", "/home/u/trip/notes.dat",
                 "/home/u/trip/triv.dat"}));

TEST(InitInstance, RunsTheMainWindowAfterPathsAndSettingsAndReturnsFalse) {
    MemoryProfile profile;
    profile.Set("DESTINATION", "YEAR", 2031);
    CCountdownApp app(profile);
    std::vector<std::string> log;
    const bool result = app.InitInstance(
        {"/opt/apps/brisaloo", std::nullopt, std::nullopt},
        [&](CCountdownApp& a) { return std::make_unique<RecordingWindow>(a, log); });
    EXPECT_FALSE(result);
    EXPECT_EQ(log, std::vector<std::string>{"DoModal /opt/apps/notes.dat 2031"});
    EXPECT_EQ(app.m_notes.m_nLastNote, -1);
}

// The files are read while the window is built; the window's loads must
// still get every note and trivia line, and what there is to tell.
TEST(InitInstance, TheWindowGetsTheFilesReadAhead) {
    TempDir dir;
    std::ofstream(dir.File("notes.dat"), std::ios::binary)
        << "Dentist\r\nTuesday 9:00\r\n.\r\nPassport\r\nrenew\r\n.\r\ncut short\r\n";
    std::string strTrivia = "Q1|A1\nQ2|A2\n";
    for (char& c : strTrivia) c = static_cast<char>(c + kTriviaShift);
    std::ofstream(dir.File("triv.dat"), std::ios::binary) << strTrivia;
    MemoryProfile profile;
    CCountdownApp app(profile);
    struct LoadingWindow final : IMainWindow {
        std::function<int()> run;
        int DoModal() override { return run(); }
    };
    NotesResult result;
    auto pTrivia = std::make_unique<TriviaTable>();
    int nLastNoteBefore = 0;
    app.InitInstance({dir.File("brisaloo"), std::nullopt, std::nullopt}, [&](CCountdownApp& a) {
        auto window = std::make_unique<LoadingWindow>();
        window->run = [&] {
            nLastNoteBefore = a.m_notes.m_nLastNote;
            result = a.LoadNotes();
            EXPECT_TRUE(a.LoadTrivia(pTrivia).messages.empty());
            return 1;
        };
        return window;
    });
    EXPECT_EQ(nLastNoteBefore, -1) << "nothing reaches the store before the window asks";
    ASSERT_EQ(app.m_notes.m_nLastNote, 1);
    EXPECT_EQ(app.m_notes.m_strSubject[1], "Passport");
    EXPECT_EQ(app.m_notes.m_strBody[0], "Tuesday 9:00");
    EXPECT_EQ(app.m_notes.m_strIncomplete, "cut short\r\n");
    EXPECT_NE(result.strMessage.find("incomplete note (\"cut short\""), std::string::npos)
        << result.strMessage;
    ASSERT_EQ(pTrivia->m_nTriviaLines, 2);
    EXPECT_EQ(pTrivia->m_strTrivia[2], "Q2|A2");
    EXPECT_FALSE(std::filesystem::exists(dir.File("triv.tmp")));
}

}  // namespace
