// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/DataLocation.h"

class IUserMessages;

// What a shell offers for keeping one running copy per data folder, so two
// copies never rewrite the same notes.dat from their own snapshots: a lock in
// the folder and a channel to the copy that holds it.
class IInstanceLock {
public:
    enum class Claim {
        kOwner,          // this copy holds the folder now, and listens for later starts
        kHeldElsewhere,  // a running copy holds it
        kUnguarded,      // no lock can be made there (a read-only folder)
    };
    virtual ~IInstanceLock() = default;
    // Takes the lock; a lock left by a copy that was killed is taken over.
    virtual Claim TryClaim() = 0;
    // Asks the copy that holds the folder to bring its window to the front;
    // true when it answered that it did.
    virtual bool AskRunningCopyToShow() = 0;
};

// Whether a request to end the program came from outside (a termination
// signal). A shell that receives one while a start-up message box is open
// closes the box; start-up then ends instead of going on.
class IEndRequests {
public:
    virtual ~IEndRequests() = default;
    virtual bool EndRequested() const = 0;
};

struct FolderFailure;

// The words for a notes folder that could not be made, for one that takes no
// new file, and for a second start that could not reach the running copy.
std::string DataFolderWarning(const std::string& strDir, const FolderFailure& failure);
std::string ReadOnlyDataFolderWarning(const std::string& strDir);
std::string AlreadyRunningMessage(const std::string& strDataDir);

// Waiting at start-up, with a steady count of milliseconds to measure it
// by; tests hand in a fake that only counts.
class IStartupWait {
public:
    virtual ~IStartupWait() = default;
    virtual void Wait(int nMilliseconds) = 0;
    virtual std::int64_t SteadyMilliseconds() const = 0;
};
// The system's sleep and steady clock.
IStartupWait& SystemStartupWait();

// A copy takes the folder's lock a moment before its window can answer (two
// copies started together). A second copy keeps asking it to show itself,
// this often for this long, before it says that the first does not answer.
inline constexpr int kShowRequestIntervalMs = 250;
inline constexpr int kShowRequestPatienceMs = 4000;

// What a single-instance claim means for this start.
enum class ClaimVerdict {
    kGoOn,           // this copy holds the folder, or no lock can be made there
    kEndQuietly,     // the running copy was asked to show itself
    kExplainAndEnd,  // the running copy did not answer: AlreadyRunningMessage, then end
};
ClaimVerdict JudgeClaim(IInstanceLock& lock, IStartupWait& wait);

// The program's start before the main window: where the data lives, the
// folder made, the warnings shown, the folder claimed. Each step returns
// false (or nullopt) when the program must end now.
class StartupPolicy {
public:
    StartupPolicy(IUserMessages& messages, const IEndRequests& endRequests,
                  IStartupWait& wait = SystemStartupWait());

    // The data files for this process (LocateDataFilesForThisProcess) with
    // the notes folder made when the rule asks for it.
    std::optional<DataLocation> LocateData(const std::string& strExePath,
                                           const std::optional<std::string>& strDataDir);
    // Makes the notes folder when the rule asks for it; one that cannot be
    // made, or that takes no new file, is a warning (notes cannot be saved
    // this time), not an end.
    bool CreateDataFolder(const DataLocation& location);
    // One copy per data folder: true when this copy goes on.
    bool ClaimDataFolder(IInstanceLock& lock, const std::string& strDataDir);

private:
    IUserMessages& m_messages;
    const IEndRequests& m_endRequests;
    IStartupWait& m_wait;
};
