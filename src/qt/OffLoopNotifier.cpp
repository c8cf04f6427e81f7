// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/OffLoopNotifier.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

OffLoopNotifier::OffLoopNotifier(int fd, QObject* parent) : QObject(parent), m_fd(fd) {
    if (::pipe2(m_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_thread = std::thread(&OffLoopNotifier::Watch, this);
}

OffLoopNotifier::~OffLoopNotifier() {
    if (m_thread.joinable()) {
        m_bStopping = true;
        Wake();
        m_thread.join();
    }
    for (int fd : m_wakeFds)
        if (fd >= 0) ::close(fd);
}

void OffLoopNotifier::Wake() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t nWritten = ::write(m_wakeFds[1], &byte, 1);
}

void OffLoopNotifier::Watch() {
    while (!m_bStopping) {
        // A negative descriptor is left out: disarmed, only a wake ends the wait.
        pollfd fds[2] = {{m_bArmed ? m_fd : -1, POLLIN, 0}, {m_wakeFds[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents != 0) {
            char buffer[16];
            while (::read(m_wakeFds[0], buffer, sizeof buffer) > 0) {
            }
        }
        if (fds[0].revents == 0 || m_bStopping) continue;
        m_bArmed = false;
        // Runs on the object's thread; dropped with the object if it goes first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                emit Activated();
                m_bArmed = true;
                Wake();
            },
            Qt::QueuedConnection);
    }
}
