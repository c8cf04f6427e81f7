// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/UserMessages.h"
#include "files/FileIo.h"
#include "support/TempDir.h"

namespace {

using Claim = IInstanceLock::Claim;

// A running copy that answers the nth request to show itself (0: never),
// each request taking nAskMs of a clock that only waiting moves.
class FakeLock final : public IInstanceLock, public IStartupWait {
public:
    FakeLock(Claim claim, int nAnswersOnAsk, int nAskMs = 0)
        : m_claim(claim), m_nAnswersOnAsk(nAnswersOnAsk), m_nAskMs(nAskMs) {}
    Claim TryClaim() override { return m_claim; }
    bool AskRunningCopyToShow() override {
        m_nNowMs += m_nAskMs;
        return ++m_nAsked == m_nAnswersOnAsk;
    }
    void Wait(int nMilliseconds) override { m_nNowMs += nMilliseconds; }
    std::int64_t SteadyMilliseconds() const override { return m_nNowMs; }
    int m_nAsked = 0;
    std::int64_t m_nNowMs = 1000;

private:
    Claim m_claim;
    int m_nAnswersOnAsk;
    int m_nAskMs;
};

// The boxes shown; a termination signal may arrive while one is open.
class RecordingMessages final : public IUserMessages, public IEndRequests {
public:
    void Inform(const std::string& strText) override { Show(strText); }
    void Warn(const std::string& strText) override { Show(strText); }
    bool AskYesNo(const std::string& strText) override {
        Show(strText);
        return false;
    }
    bool EndRequested() const override { return m_bEnded; }

    std::vector<std::string> m_texts;
    bool m_bSignalDuringBox = false;

private:
    void Show(const std::string& strText) {
        m_texts.push_back(strText);
        m_bEnded = m_bEnded || m_bSignalDuringBox;
    }
    bool m_bEnded = false;
};

struct ClaimCase {
    const char* pszName;
    Claim claim;
    int nAnswersOnAsk;  // 0: the running copy never answers
    int nAskMs;
    bool bSignalDuringBox;
    bool bGoOn;
    bool bAlreadyRunningMessage;
    int nAsks;
};

class StartupClaim : public testing::TestWithParam<ClaimCase> {};

TEST_P(StartupClaim, GoesOnOrEnds) {
    const ClaimCase& c = GetParam();
    TempDir dir;
    FakeLock lock(c.claim, c.nAnswersOnAsk, c.nAskMs);
    RecordingMessages messages;
    messages.m_bSignalDuringBox = c.bSignalDuringBox;
    StartupPolicy policy(messages, messages, lock);
    EXPECT_EQ(policy.ClaimDataFolder(lock, dir.Str()), c.bGoOn);
    std::vector<std::string> expected;
    if (c.bAlreadyRunningMessage) expected.push_back(AlreadyRunningMessage(dir.Str()));
    EXPECT_EQ(messages.m_texts, expected);
    EXPECT_EQ(lock.m_nAsked, c.nAsks);
}

// A copy whose window is not up yet is asked again every 250 ms for 4 s.
INSTANTIATE_TEST_SUITE_P(
    Claims, StartupClaim,
    testing::Values(
        ClaimCase{"Owner", Claim::kOwner, 0, 0, false, true, false, 0},
        ClaimCase{"Unguarded", Claim::kUnguarded, 0, 0, false, true, false, 0},
        ClaimCase{"RunningCopyShown", Claim::kHeldElsewhere, 1, 0, false, false, false, 1},
        ClaimCase{"RunningCopyShownOnceItsWindowIsUp", Claim::kHeldElsewhere, 9, 0, false, false,
                  false, 9},
        ClaimCase{"RunningCopySilent", Claim::kHeldElsewhere, 0, 0, false, false, true, 17},
        ClaimCase{"RunningCopySlowToRefuse", Claim::kHeldElsewhere, 0, 2000, false, false, true, 2},
        ClaimCase{"SignalDuringAlreadyRunning", Claim::kHeldElsewhere, 0, 0, true, false, true,
                  17}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(StartupTexts, AlreadyRunningNamesTheFolderResolved) {
    TempDir dir;
    std::filesystem::create_directory(dir / "notes");
    EXPECT_EQ(AlreadyRunningMessage(dir.File("notes") + "/."),
              "Brisaloo is already running with the notes in " +
                  std::filesystem::canonical(dir / "notes").string() +
                  ", and its window could not be brought to the front. Only one copy at a time "
                  "can keep these notes, so this one will close; your notes are safe in the "
                  "running copy.");
}

// A notes folder that cannot be made is a warning and start-up goes on,
// unless a termination signal arrived while the warning was open.
TEST(StartupDataFolder, WarnsAndGoesOnUnlessAnEndCameMeanwhile) {
    TempDir dir;
    WriteFileBytes(dir / "blocker", "a file where the folder should be");
    DataLocation location;
    location.strNotesDir = dir.File("blocker") + "/brisaloo";
    location.bCreateNotesDir = true;
    for (const bool bSignal : {false, true}) {
        RecordingMessages messages;
        messages.m_bSignalDuringBox = bSignal;
        StartupPolicy policy(messages, messages);
        EXPECT_EQ(policy.CreateDataFolder(location), !bSignal);
        ASSERT_EQ(messages.m_texts.size(), 1u);
        EXPECT_TRUE(messages.m_texts[0].starts_with("Brisaloo could not create its data folder " +
                                                    location.strNotesDir + ": "))
            << messages.m_texts[0];
        EXPECT_TRUE(messages.m_texts[0].ends_with(". Notes cannot be saved this time."));
    }
}

// The warning names the level that could not be made, in one sentence.
TEST(StartupDataFolder, WarningNamesTheLevelThatFailed) {
    TempDir dir;
    WriteFileBytes(dir / "blocker", "a file where a folder should be");
    const std::string strBlocker = dir.File("blocker");
    RecordingMessages messages;
    StartupPolicy policy(messages, messages);
    DataLocation location;
    location.strNotesDir = strBlocker + "/a/b";
    location.bCreateNotesDir = true;
    EXPECT_TRUE(policy.CreateDataFolder(location));
    ASSERT_EQ(messages.m_texts.size(), 1u);
    EXPECT_TRUE(messages.m_texts[0].starts_with("Brisaloo could not create its data folder " +
                                                strBlocker + "/a/b, because " + strBlocker +
                                                "/a could not be created: "))
        << messages.m_texts[0];
    EXPECT_EQ(messages.m_texts[0].find("Could not"), std::string::npos) << messages.m_texts[0];
}

// A --data-dir this user may not write in is said at start-up, as a folder
// that cannot be made is. Run as an unprivileged user in a child when the
// tests run as root, who may write anywhere.
TEST(StartupDataFolder, ReadOnlyFolderIsSaid) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX folder permissions and a forked child run as another user";
#else
    TempDir dir;
    std::filesystem::create_directory(dir / "data");
    std::filesystem::permissions(dir / "data", std::filesystem::perms(0555));
    DataLocation location;
    location.place = DataPlace::DataDir;
    location.strNotesDir = dir.File("data");
    location.bCreateNotesDir = true;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            std::_Exit(10);
        RecordingMessages messages;
        StartupPolicy policy(messages, messages);
        const bool bGoesOn = policy.CreateDataFolder(location);
        std::_Exit(bGoesOn &&
                           messages.m_texts ==
                               std::vector<std::string>{ReadOnlyDataFolderWarning(dir.File("data"))}
                       ? 0
                       : 11);
    }
    int nStatus = 0;
    ASSERT_EQ(::waitpid(pid, &nStatus, 0), pid);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
#endif
}

TEST(StartupDataFolder, MadeWhenTheRuleAsksAndOnlyThen) {
    TempDir dir;
    RecordingMessages messages;
    StartupPolicy policy(messages, messages);
    DataLocation location;
    location.strNotesDir = dir.File("a/b");
    EXPECT_TRUE(policy.CreateDataFolder(location));
    EXPECT_FALSE(std::filesystem::exists(location.strNotesDir));
    location.bCreateNotesDir = true;
    EXPECT_TRUE(policy.CreateDataFolder(location));
    EXPECT_TRUE(std::filesystem::is_directory(location.strNotesDir));
    EXPECT_EQ(messages.m_texts, std::vector<std::string>{});
}

}  // namespace
