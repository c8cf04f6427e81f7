// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// Keeps one running copy of the program per data directory, so two copies
// never rewrite the same notes.dat from their own snapshots. The copy that
// holds the lock file in the directory listens on a local socket named after
// the directory (in $XDG_RUNTIME_DIR, else in the directory); a second start
// asks it there to show its window. Both go when the object goes.
class SingleInstanceGuard : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        kOwner,                   // this copy holds the data directory
        kShownRunningCopy,        // another copy holds it and was asked to show itself
        kRunningCopyUnreachable,  // another copy holds it but did not answer
        kUnguarded,               // no lock can be made there (read-only directory)
    };

    explicit SingleInstanceGuard(const QString& strDataDir, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // Takes the lock, or asks the copy that has it to show its window. A lock
    // left by a copy that was killed is taken over.
    Claim ClaimDataDirectory(int nAnswerTimeoutMs = 2000);

    QString DataDirectory() const { return m_strDataDir; }  // absolute, links resolved
    QString LockFilePath() const;
    QString ServerName() const;

signals:
    // A second start asked this copy to bring its window to the front.
    void ShowRequested();

private:
    void Listen();
    void AnswerSecondStart();
    bool AskRunningCopyToShow(int nTimeoutMs) const;

    QString m_strDataDir;
    QLockFile m_lock;
    QLocalServer* m_pServer = nullptr;
};

// What main() calls before it builds the main window. True when this copy goes
// on; false when it must end now, having shown the running copy or told the
// user in a message box why it ends.
bool ClaimOrExplain(SingleInstanceGuard& guard);

// The words for a second start that could not reach the running copy.
QString AlreadyRunningMessage(const QString& strDataDir);
