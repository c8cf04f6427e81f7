// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEvent>

// The application's own Quit event (the session manager's "die", or quit())
// would close every window the way Qt does; Brisaloo ends its main window in
// order instead. Overriding event() sees only the events sent to the
// application object, where an event filter installed on it would run for
// every event of every object, each timer tick included.
class BrisalooApplication final : public QApplication {
    Q_OBJECT

public:
    using QApplication::QApplication;

signals:
    void QuitRequested();

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::Quit) return QApplication::event(event);
        emit QuitRequested();
        return true;
    }
};
