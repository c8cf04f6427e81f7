// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtUserMessages.h"

#include <QMessageBox>

#include "app/UserMessages.h"

namespace UserMessages {
namespace {

Handler& CurrentHandler() {
    static Handler handler;
    return handler;
}

const QString& Title() {
    static const QString strTitle = QString::fromUtf8(kMessageTitle);
    return strTitle;
}

}  // namespace

void Inform(QWidget* parent, const QString& strText) {
    if (CurrentHandler()) {
        CurrentHandler()(Kind::Information, Title(), strText);
        return;
    }
    QMessageBox::information(parent, Title(), strText);
}

void Warn(QWidget* parent, const QString& strText) {
    if (CurrentHandler()) {
        CurrentHandler()(Kind::Warning, Title(), strText);
        return;
    }
    QMessageBox::warning(parent, Title(), strText);
}

bool AskYesNo(QWidget* parent, const QString& strText) {
    if (CurrentHandler()) return CurrentHandler()(Kind::Question, Title(), strText);
    return QMessageBox::question(parent, Title(), strText, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void SetHandler(Handler handler) {
    CurrentHandler() = std::move(handler);
}

}  // namespace UserMessages

void QtUserMessages::Inform(const std::string& strText) {
    UserMessages::Inform(m_parent, QString::fromStdString(strText));
}

void QtUserMessages::Warn(const std::string& strText) {
    UserMessages::Warn(m_parent, QString::fromStdString(strText));
}

bool QtUserMessages::AskYesNo(const std::string& strText) {
    return UserMessages::AskYesNo(m_parent, QString::fromStdString(strText));
}
