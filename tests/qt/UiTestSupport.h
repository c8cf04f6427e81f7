// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "qt/QtUserMessages.h"

// Records every message box instead of showing it, and answers questions.
class MessageRecorder {
public:
    explicit MessageRecorder(bool bAnswerYes = false) {
        UserMessages::SetHandler([this, bAnswerYes](UserMessages::Kind, const QString&,
                                                    const QString& strText) {
            m_texts << strText;
            return bAnswerYes;
        });
    }
    ~MessageRecorder() { UserMessages::SetHandler({}); }
    const QStringList& Texts() const { return m_texts; }

private:
    QStringList m_texts;
};

// Runs action on the next modal dialog that opens (it is running its own event
// loop by then), so a test can fill it in and close it.
inline void OnNextModal(std::function<void(QDialog&)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    // A window already running modal when this is armed (the main window
    // in its own run) is not the next one.
    QPointer<QWidget> alreadyModal = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [timer, action, alreadyModal] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal == alreadyModal) return;
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
    });
    timer->start();
}

inline QString TextOf(QWidget* widget) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) return text->toPlainText();
    return {};
}
