// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <atomic>
#include <thread>

// A read notifier for a descriptor that is almost never ready (the
// termination-signal pipe, the single-instance socket), watched by a thread
// of its own that sleeps in poll() until it is. A QSocketNotifier would put
// the descriptor in the main loop's poll set, which the kernel walks at every
// wakeup, twice a second for months. Activated() is emitted on the object's
// thread; the descriptor is watched again once its slots have returned, so an
// unread descriptor activates again, as with a QSocketNotifier.
class OffLoopNotifier final : public QObject {
    Q_OBJECT

public:
    OffLoopNotifier(int fd, QObject* parent);
    ~OffLoopNotifier() override;  // the watching thread has ended when it returns
    OffLoopNotifier(const OffLoopNotifier&) = delete;
    OffLoopNotifier& operator=(const OffLoopNotifier&) = delete;

signals:
    void Activated();

private:
    void Watch();
    void Wake();

    int m_fd;
    int m_wakeFds[2] = {-1, -1};  // [1] is written to wake the thread, [0] read by it
    std::atomic<bool> m_bArmed{true};
    std::atomic<bool> m_bStopping{false};
    std::thread m_thread;
};
