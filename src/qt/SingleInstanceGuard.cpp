// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/SingleInstanceGuard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <optional>

#include "app/DataLocation.h"
#include "qt/OffLoopNotifier.h"

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShowAnswer = QByteArrayLiteral("ok\n");

QString CanonicalDirectoryOf(const QString& strDataDir) {
    const QString strDir = strDataDir.isEmpty() ? QStringLiteral("/") : strDataDir;
    const QString strCanonical = QFileInfo(strDir).canonicalFilePath();
    return strCanonical.isEmpty() ? QDir::cleanPath(QDir(strDir).absolutePath()) : strCanonical;
}

QString LockFileIn(const QString& strDir) {
    return QDir(strDir).filePath(QStringLiteral("brisaloo.lock"));
}

// Fills the address of the socket file at path; false when it does not fit.
bool AddressOf(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Waits up to nTimeoutMs for fd to be ready for events.
bool AwaitFd(int fd, short events, int nTimeoutMs) {
    pollfd waited{fd, events, 0};
    int nReady;
    do nReady = ::poll(&waited, 1, nTimeoutMs);
    while (nReady < 0 && errno == EINTR);
    return nReady > 0;
}

// The first line of buffer, its end included, if it fits the request cap:
// "" while none has come, std::nullopt once none can fit.
std::optional<QByteArray> FirstLine(const QByteArray& buffer) {
    const qsizetype nEnd = buffer.indexOf('\n');
    if (nEnd >= 0 && nEnd < SingleInstanceGuard::kMaxRequestBytes) return buffer.left(nEnd + 1);
    if (nEnd >= 0 || buffer.size() > SingleInstanceGuard::kMaxRequestBytes) return std::nullopt;
    return QByteArray();
}

}  // namespace

// One accepted connection: reads a line of at most kMaxRequestBytes, answers
// a show request, and goes; one that sends nothing in time goes too, so it
// cannot keep a socket open for ever.
class CShowRequestConnection : public QObject {
public:
    CShowRequestConnection(int fd, SingleInstanceGuard* pGuard)
        : QObject(pGuard), m_fd(fd), m_pGuard(pGuard) {
        m_pNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this,
                &CShowRequestConnection::OnReadable);
        QTimer::singleShot(pGuard->m_nIdleLimitMs, this, &CShowRequestConnection::Close);
    }
    ~CShowRequestConnection() override { CloseSocket(); }

private:
    void OnReadable() {
        char chunk[SingleInstanceGuard::kMaxRequestBytes + 1];
        const ssize_t nRead =
            ::recv(m_fd, chunk, sizeof chunk - size_t(m_buffer.size()), MSG_DONTWAIT);
        if (nRead < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (nRead <= 0) return Close();
        m_buffer.append(chunk, nRead);
        const std::optional<QByteArray> line = FirstLine(m_buffer);
        if (line && line->isEmpty()) return;
        if (line == kShowRequest) {
            emit m_pGuard->ShowRequested();
            [[maybe_unused]] const ssize_t nSent =
                ::send(m_fd, kShowAnswer.constData(), size_t(kShowAnswer.size()), MSG_NOSIGNAL);
        }
        Close();
    }

    void Close() {
        CloseSocket();
        deleteLater();
    }

    void CloseSocket() {
        if (m_fd < 0) return;
        m_pNotifier->setEnabled(false);
        ::close(m_fd);
        m_fd = -1;
    }

    int m_fd;
    SingleInstanceGuard* m_pGuard;
    QSocketNotifier* m_pNotifier = nullptr;
    QByteArray m_buffer;
};

SingleInstanceGuard::SingleInstanceGuard(const QString& strDataDir, QObject* parent)
    : QObject(parent),
      m_strDataDir(CanonicalDirectoryOf(strDataDir)),
      m_lock(LockFileIn(m_strDataDir)) {
    // The lock of a running copy never goes stale by age; one whose process is
    // gone is stale at once.
    m_lock.setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() {
    StopListening();
}

QString SingleInstanceGuard::LockFilePath() const {
    return LockFileIn(m_strDataDir);
}

// A full path, so no other user can take the name first: in the user's own
// $XDG_RUNTIME_DIR, named after the data directory, or else in the data
// directory itself, which the lock already claims.
QString SingleInstanceGuard::ServerName() const {
    const QString strRuntimeDir = QString::fromStdString(RuntimeDirectory());
    if (strRuntimeDir.isEmpty())
        return QDir(m_strDataDir).filePath(QStringLiteral("brisaloo.socket"));
    const QByteArray hash =
        QCryptographicHash::hash(m_strDataDir.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(strRuntimeDir)
        .filePath(QStringLiteral("brisaloo-%1.socket").arg(QString::fromLatin1(hash.left(16))));
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
    return m_nListenFd >= 0;
}

void SingleInstanceGuard::SetTimeouts(int nAnswerTimeoutMs, int nIdleLimitMs) {
    m_nAnswerTimeoutMs = nAnswerTimeoutMs;
    m_nIdleLimitMs = nIdleLimitMs;
}

// A copy that cannot listen still holds the lock, so its notes are safe; a
// second start then finds no answer and says that a copy is running.
void SingleInstanceGuard::Listen() {
    const QByteArray path = QFile::encodeName(ServerName());
    // A socket file left by a killed copy would block the name; holding the
    // lock means no live copy uses it.
    for (int nTry = 0; nTry < 2; ++nTry) {
        ::unlink(path.constData());
        if (BindAndListen(path)) break;
    }
    if (m_nListenFd < 0) {
        qWarning(
            "brisaloo: cannot listen on %s (%s); a second start will not bring this window "
            "forward",
            path.constData(), std::strerror(errno));
        return;
    }
    m_listenPath = path;
    // Watched off the loop: a second start is rare, the loop's wakeups are not.
    m_pListenNotifier = new OffLoopNotifier(m_nListenFd, this);
    connect(m_pListenNotifier, &OffLoopNotifier::Activated, this,
            &SingleInstanceGuard::AnswerSecondStart);
}

// Leaves errno set when it fails.
bool SingleInstanceGuard::BindAndListen(const QByteArray& path) {
    sockaddr_un address;
    if (!AddressOf(path, address)) {
        errno = ENAMETOOLONG;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    // Only this user may connect: the socket file is made with these rights.
    ::fchmod(fd, S_IRUSR | S_IWUSR | S_IXUSR);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), S_IRUSR | S_IWUSR | S_IXUSR) != 0 || ::listen(fd, 8) != 0) {
        const int nError = errno;
        ::close(fd);
        errno = nError;
        return false;
    }
    m_nListenFd = fd;
    return true;
}

void SingleInstanceGuard::StopListening() {
    if (m_nListenFd < 0) return;
    delete m_pListenNotifier;
    m_pListenNotifier = nullptr;
    ::close(m_nListenFd);
    m_nListenFd = -1;
    ::unlink(m_listenPath.constData());
}

void SingleInstanceGuard::AnswerSecondStart() {
    int fd;
    while ((fd = ::accept4(m_nListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0)
        new CShowRequestConnection(fd, this);
}

bool SingleInstanceGuard::AskRunningCopyToShow() {
    sockaddr_un address;
    if (!AddressOf(QFile::encodeName(ServerName()), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    const auto answered = [&] {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            if (errno != EAGAIN && errno != EINPROGRESS) return false;
            if (!AwaitFd(fd, POLLOUT, m_nAnswerTimeoutMs)) return false;
            int nError = 0;
            socklen_t nLength = sizeof nError;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &nError, &nLength) != 0 || nError != 0)
                return false;
        }
        if (::send(fd, kShowRequest.constData(), size_t(kShowRequest.size()), MSG_NOSIGNAL) !=
            kShowRequest.size())
            return false;
        QByteArray buffer;
        for (;;) {
            const std::optional<QByteArray> line = FirstLine(buffer);
            if (!line) return false;
            if (!line->isEmpty()) return *line == kShowAnswer;
            if (!AwaitFd(fd, POLLIN, m_nAnswerTimeoutMs)) return false;
            char chunk[kMaxRequestBytes + 1];
            const ssize_t nRead = ::recv(fd, chunk, sizeof chunk - size_t(buffer.size()), 0);
            if (nRead < 0 && errno == EINTR) continue;
            if (nRead <= 0) return false;
            buffer.append(chunk, nRead);
        }
    }();
    ::close(fd);
    return answered;
}
