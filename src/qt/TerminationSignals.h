// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "app/Startup.h"

class OffLoopNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so a
// request to end from outside (kill, Ctrl+C, a closed terminal, the end of the
// session) ends the program the way Exit does instead of killing it. The
// handler only writes one byte to a socket pair, whose reading end is
// watched off the loop. One object per process; the default handlers come back with its end.
class TerminationSignals : public QObject, public IEndRequests {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool IsInstalled() const { return m_pNotifier != nullptr; }
    // Whether any of the signals has arrived (and was read on the loop).
    bool EndRequested() const override { return m_bArrived; }

signals:
    // One of the signals arrived; emitted once per arrival, on the loop.
    void TerminationRequested();

private:
    void OnReadable();

    OffLoopNotifier* m_pNotifier = nullptr;
    bool m_bArrived = false;
};
