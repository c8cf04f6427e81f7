// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/SingleInstanceGuard.h"

#include <QtGlobal>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "app/DataLocation.h"

namespace {

const char kShowRequest[] = "show\n";
const char kShowAnswer[] = "ok\n";

QString CanonicalDirectoryOf(const QString& strDataDir) {
    const QString strDir = strDataDir.isEmpty() ? QStringLiteral("/") : strDataDir;
    const QString strCanonical = QFileInfo(strDir).canonicalFilePath();
    return strCanonical.isEmpty() ? QDir::cleanPath(QDir(strDir).absolutePath()) : strCanonical;
}

#ifndef Q_OS_UNIX
// Who runs this copy. On Windows QLocalServer listens on a named pipe, whose
// names all sessions share, so the name must differ between users.
QString UserKey() {
    const QByteArray hash =
        QCryptographicHash::hash(qEnvironmentVariable("USERDOMAIN").toUtf8() + '\\' +
                                     qEnvironmentVariable("USERNAME").toUtf8(),
                                 QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(8));
}
#endif

QString LockFileIn(const QString& strDir) {
    return QDir(strDir).filePath(QStringLiteral("brisaloo.lock"));
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& strDataDir, QObject* parent)
    : QObject(parent),
      m_strDataDir(CanonicalDirectoryOf(strDataDir)),
      m_lock(LockFileIn(m_strDataDir)) {
    // The lock of a running copy never goes stale by age; one whose process is
    // gone is stale at once.
    m_lock.setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::LockFilePath() const {
    return LockFileIn(m_strDataDir);
}

// On Unix a full path, so no other user can take the name first: in the
// user's own $XDG_RUNTIME_DIR, named after the data directory, or else in the
// data directory itself, which the lock already claims. On Windows a pipe
// name of this user's, named after the data directory.
QString SingleInstanceGuard::ServerName() const {
    const QByteArray hash =
        QCryptographicHash::hash(m_strDataDir.toUtf8(), QCryptographicHash::Sha256).toHex();
#ifdef Q_OS_UNIX
    const QString strRuntimeDir = QString::fromStdString(RuntimeDirectory());
    if (strRuntimeDir.isEmpty())
        return QDir(m_strDataDir).filePath(QStringLiteral("brisaloo.socket"));
    return QDir(strRuntimeDir)
        .filePath(QStringLiteral("brisaloo-%1.socket").arg(QString::fromLatin1(hash.left(16))));
#else
    return QStringLiteral("brisaloo-%1-%2").arg(UserKey(), QString::fromLatin1(hash.left(16)));
#endif
}

SingleInstanceGuard::Claim SingleInstanceGuard::TryClaim() {
    if (m_lock.tryLock(0)) {
        Listen();
        return Claim::kOwner;
    }
    if (m_lock.error() != QLockFile::LockFailedError) return Claim::kUnguarded;
    return Claim::kHeldElsewhere;
}

bool SingleInstanceGuard::IsListening() const {
    return m_pServer && m_pServer->isListening();
}

void SingleInstanceGuard::SetTimeouts(int nAnswerTimeoutMs, int nIdleLimitMs) {
    m_nAnswerTimeoutMs = nAnswerTimeoutMs;
    m_nIdleLimitMs = nIdleLimitMs;
}

// A copy that cannot listen still holds the lock, so its notes are safe; a
// second start then finds no answer and says that a copy is running.
void SingleInstanceGuard::Listen() {
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &SingleInstanceGuard::AnswerSecondStart);
    // A socket file left by a killed copy would block the name; holding the
    // lock means no live copy uses it.
    for (int nTry = 0; nTry < 2; ++nTry) {
        QLocalServer::removeServer(ServerName());
        if (m_pServer->listen(ServerName())) return;
    }
    qWarning(
        "brisaloo: cannot listen on %s (%s); a second start will not bring this window "
        "forward",
        qPrintable(ServerName()), qPrintable(m_pServer->errorString()));
}

void SingleInstanceGuard::AnswerSecondStart() {
    while (QLocalSocket* pSocket = m_pServer->nextPendingConnection()) {
        connect(pSocket, &QLocalSocket::disconnected, pSocket, &QObject::deleteLater);
        connect(pSocket, &QLocalSocket::readyRead, this, [this, pSocket] { ReadRequest(pSocket); });
        // A connection that sends no request in time goes, so it cannot keep
        // a socket open for ever.
        QTimer::singleShot(m_nIdleLimitMs, pSocket, [pSocket] { pSocket->abort(); });
    }
}

void SingleInstanceGuard::ReadRequest(QLocalSocket* pSocket) {
    if (!pSocket->canReadLine()) {
        if (pSocket->bytesAvailable() > kMaxRequestBytes) pSocket->abort();
        return;
    }
    if (pSocket->readLine(kMaxRequestBytes + 1) == kShowRequest) {
        emit ShowRequested();
        pSocket->write(kShowAnswer);
        pSocket->flush();
    }
    pSocket->disconnectFromServer();
}

bool SingleInstanceGuard::AskRunningCopyToShow() {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(m_nAnswerTimeoutMs)) return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(m_nAnswerTimeoutMs)) return false;
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kMaxRequestBytes) return false;
        if (!socket.waitForReadyRead(m_nAnswerTimeoutMs)) return false;
    }
    return socket.readLine(kMaxRequestBytes + 1) == kShowAnswer;
}
