// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "files/AtomicFile.h"
#include "notes/CrashStores.h"
#include "notes/NotesFile.h"
#include "notes/NotesTestSupport.h"

namespace {

// The saver program, started with its stdout on a pipe.
class Saver {
public:
    Saver(const std::string& strPath, int nOnDisk) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            const std::string strFirst = std::to_string(nOnDisk);
            ::execl(BRISALOO_NOTES_CRASH_SAVER, BRISALOO_NOTES_CRASH_SAVER, strPath.c_str(),
                    strFirst.c_str(), static_cast<char*>(nullptr));
            std::_Exit(127);
        }
        ::close(fds[1]);
        m_fd = fds[0];
    }
    ~Saver() {
        if (m_fd >= 0) ::close(m_fd);
    }

    bool Started() const { return m_pid > 0 && m_fd >= 0; }

    // Blocks until the saver has reported nLines more lines.
    bool WaitForLines(int nLines) {
        while (m_nLines < nLines) {
            if (!ReadSome()) return false;
        }
        return true;
    }

    // Kills the saver and reads what it said before it died.
    bool Kill() {
        ::kill(m_pid, SIGKILL);
        int nStatus = 0;
        ::waitpid(m_pid, &nStatus, 0);
        while (ReadSome()) {
        }
        return WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL;
    }

    int LastSaved() const { return m_nLastSaved; }
    int LastStarted() const { return m_nLastStarted; }

private:
    bool ReadSome() {
        char buffer[256];
        const ssize_t nRead = ::read(m_fd, buffer, sizeof buffer);
        if (nRead <= 0) return false;
        m_strPending.append(buffer, static_cast<std::size_t>(nRead));
        for (std::size_t nEnd; (nEnd = m_strPending.find('\n')) != std::string::npos;) {
            const std::string strLine = m_strPending.substr(0, nEnd);
            m_strPending.erase(0, nEnd + 1);
            ++m_nLines;
            if (strLine.rfind("saving ", 0) == 0) m_nLastStarted = std::stoi(strLine.substr(7));
            if (strLine.rfind("saved ", 0) == 0) m_nLastSaved = std::stoi(strLine.substr(6));
        }
        return true;
    }

    pid_t m_pid = -1;
    int m_fd = -1;
    int m_nLines = 0;
    int m_nLastSaved = -1;
    int m_nLastStarted = -1;
    std::string m_strPending;
};

// Kills a program that saves in a loop at random moments: whatever the moment,
// notes.dat holds the store of the last finished save or of the one under way.
TEST(NotesCrash, KilledSaverLeavesTheOldOrTheNewNotes) {
    TempDir dir;
    const std::string strPath = dir.File("notes.dat");
    ASSERT_TRUE(SaveNotesFile(strPath, *CrashStore(0)).Ok());

    std::mt19937 random(4242);
    std::uniform_int_distribution<int> linesBeforeKill(1, 6);
    std::uniform_int_distribution<int> spinBeforeKill(0, 400000);
    int nOnDisk = 0;
    int nKilledMidSave = 0;
    constexpr int kRounds = 300;
    for (int nRound = 0; nRound < kRounds; ++nRound) {
        Saver saver(strPath, nOnDisk);
        ASSERT_TRUE(saver.Started());
        ASSERT_TRUE(saver.WaitForLines(linesBeforeKill(random)));
        // A few hundred microseconds at most, so the kill lands anywhere in a save.
        volatile int nSpin = 0;
        for (int i = spinBeforeKill(random); i > 0; --i) nSpin = nSpin + 1;
        ASSERT_TRUE(saver.Kill()) << "round " << nRound;

        auto store = std::make_unique<NotesStore>();
        ASSERT_TRUE(LoadNotesFile(strPath, *store).Ok());
        const int nFound = CrashStoreNumber(*store);
        const int nOld = saver.LastSaved() >= 0 ? saver.LastSaved() : nOnDisk;
        ASSERT_TRUE(nFound == nOld || nFound == saver.LastStarted())
            << "round " << nRound << ": found save " << nFound << ", expected " << nOld << " or "
            << saver.LastStarted();
        ASSERT_EQ(NotesOf(*store), NotesOf(*CrashStore(nFound))) << "round " << nRound;
        if (saver.LastStarted() > saver.LastSaved()) ++nKilledMidSave;
        nOnDisk = nFound;
    }
    std::cout << nKilledMidSave << " of " << kRounds << " kills landed during a save\n";

    // The next save clears whatever temporary file a kill left behind.
    ASSERT_TRUE(SaveNotesFile(strPath, *CrashStore(nOnDisk + 1)).Ok());
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"notes.dat"});
}

}  // namespace
