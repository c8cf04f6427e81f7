// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include "app/Startup.h"

class OffLoopNotifier;
class CShowRequestConnection;

// The lock and the channel of one running copy per data directory
// (StartupPolicy decides what a claim means). The copy that holds the lock
// file in the directory listens on a local socket named after the directory
// (in $XDG_RUNTIME_DIR, else in the directory); a second start asks it there
// to show its window. Both go when the object goes. The socket is a plain
// AF_UNIX one, so the program needs no network library.
class SingleInstanceGuard : public QObject, public IInstanceLock {
    Q_OBJECT

public:
    // The longest request line, and how long a connection may stay silent.
    static constexpr qint64 kMaxRequestBytes = 64;
    static constexpr int kDefaultIdleLimitMs = 2000;

    explicit SingleInstanceGuard(const QString& strDataDir, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    Claim TryClaim() override;
    bool AskRunningCopyToShow() override;

    QString DataDirectory() const { return m_strDataDir; }  // absolute, links resolved
    QString LockFilePath() const;
    QString ServerName() const;
    bool IsListening() const;
    // How long a second start may wait for an answer, and how long a
    // connection to this copy may send nothing before it is dropped.
    void SetTimeouts(int nAnswerTimeoutMs, int nIdleLimitMs);

signals:
    // A second start asked this copy to bring its window to the front.
    void ShowRequested();

private:
    friend class CShowRequestConnection;

    void Listen();
    bool BindAndListen(const QByteArray& socketPath);
    void StopListening();
    void AnswerSecondStart();

    QString m_strDataDir;
    QLockFile m_lock;
    int m_nListenFd = -1;
    OffLoopNotifier* m_pListenNotifier = nullptr;
    QByteArray m_listenPath;
    int m_nAnswerTimeoutMs = 2000;
    int m_nIdleLimitMs = kDefaultIdleLimitMs;
};
