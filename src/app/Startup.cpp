// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include <chrono>
#include <thread>

#include "app/PathText.h"
#include "app/UserMessages.h"
#include "files/FileIo.h"

std::string DataFolderWarning(const std::string& strDir, const FolderFailure& failure) {
    const std::string strCause =
        failure.strFolder == strDir
            ? ": " + failure.strReason
            : ", because " + failure.strFolder + " could not be created: " + failure.strReason;
    return "Brisaloo could not create its data folder " + strDir + strCause +
           ". Notes cannot be saved this time.";
}

std::string ReadOnlyDataFolderWarning(const std::string& strDir) {
    return "Brisaloo cannot create files in its data folder " + strDir +
           ". Notes cannot be saved this time.";
}

std::string AlreadyRunningMessage(const std::string& strDataDir) {
    return "Brisaloo is already running with the notes in " + CanonicalDirectory(strDataDir) +
           ", and its window could not be brought to the front. Only one copy at a time can keep "
           "these notes, so this one will close; your notes are safe in the running copy.";
}

namespace {

class SystemWait final : public IStartupWait {
public:
    void Wait(int nMilliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(nMilliseconds));
    }
    std::int64_t SteadyMilliseconds() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace

IStartupWait& SystemStartupWait() {
    static SystemWait wait;
    return wait;
}

ClaimVerdict JudgeClaim(IInstanceLock& lock, IStartupWait& wait) {
    switch (lock.TryClaim()) {
        case IInstanceLock::Claim::kOwner:
        case IInstanceLock::Claim::kUnguarded:
            return ClaimVerdict::kGoOn;
        case IInstanceLock::Claim::kHeldElsewhere:
            break;
    }
    const std::int64_t nGiveUpAt = wait.SteadyMilliseconds() + kShowRequestPatienceMs;
    while (!lock.AskRunningCopyToShow()) {
        if (wait.SteadyMilliseconds() + kShowRequestIntervalMs > nGiveUpAt)
            return ClaimVerdict::kExplainAndEnd;
        wait.Wait(kShowRequestIntervalMs);
    }
    return ClaimVerdict::kEndQuietly;
}

StartupPolicy::StartupPolicy(IUserMessages& messages, const IEndRequests& endRequests,
                             IStartupWait& wait)
    : m_messages(messages), m_endRequests(endRequests), m_wait(wait) {}

std::optional<DataLocation> StartupPolicy::LocateData(
    const std::string& strExePath, const std::optional<std::string>& strDataDir) {
    DataLocation location = LocateDataFilesForThisProcess(DirectoryOf(strExePath), strDataDir);
    if (!CreateDataFolder(location)) return std::nullopt;
    return location;
}

bool StartupPolicy::CreateDataFolder(const DataLocation& location) {
    FolderFailure failure;
    if (location.bCreateNotesDir && !EnsureDirectory(location.strNotesDir, failure))
        m_messages.Warn(DataFolderWarning(location.strNotesDir, failure));
    else if (IsDirectory(location.strNotesDir) && !CanCreateFilesIn(location.strNotesDir))
        m_messages.Warn(ReadOnlyDataFolderWarning(location.strNotesDir));
    return !m_endRequests.EndRequested();
}

bool StartupPolicy::ClaimDataFolder(IInstanceLock& lock, const std::string& strDataDir) {
    switch (JudgeClaim(lock, m_wait)) {
        case ClaimVerdict::kGoOn:
            return !m_endRequests.EndRequested();
        case ClaimVerdict::kEndQuietly:
            return false;
        case ClaimVerdict::kExplainAndEnd:
            break;
    }
    m_messages.Inform(AlreadyRunningMessage(strDataDir));
    return false;
}
