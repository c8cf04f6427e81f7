// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/TerminationSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "qt/OffLoopNotifier.h"

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// [0] is written by the handler, [1] read on the loop.
int g_fds[2] = {-1, -1};

// Only async-signal-safe calls: write(2), with errno kept for the code it interrupted.
extern "C" void OnTerminationSignal(int) {
    const int nSavedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t nWritten = ::write(g_fds[0], &byte, 1);
    errno = nSavedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0) return;
    // A full pipe must not block the handler: a request is already waiting then.
    ::fcntl(g_fds[0], F_SETFL, ::fcntl(g_fds[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_fds[1], F_SETFL, ::fcntl(g_fds[1], F_GETFL) | O_NONBLOCK);
    m_pNotifier = new OffLoopNotifier(g_fds[1], this);
    connect(m_pNotifier, &OffLoopNotifier::Activated, this, &TerminationSignals::OnReadable);

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int nSignal : kSignals) ::sigaction(nSignal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (!m_pNotifier) return;
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int nSignal : kSignals) ::sigaction(nSignal, &action, nullptr);
    delete m_pNotifier;
    m_pNotifier = nullptr;
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void TerminationSignals::OnReadable() {
    char buffer[16];
    bool bArrived = false;
    while (::read(g_fds[1], buffer, sizeof buffer) > 0) bArrived = true;
    if (!bArrived) return;
    m_bArrived = true;
    emit TerminationRequested();
}
