#include "ui/CTrayIcon.h"

CTrayIcon::CTrayIcon(QObject* parent) : QObject(parent) {}

CTrayIcon::~CTrayIcon() { Remove(); }

namespace {
std::optional<bool> g_availableOverride;
}

bool CTrayIcon::IsAvailable() {
    return g_availableOverride.value_or(QSystemTrayIcon::isSystemTrayAvailable());
}

void CTrayIcon::OverrideAvailability(std::optional<bool> bAvailable) {
    g_availableOverride = bAvailable;
}

void CTrayIcon::Add(const QIcon& icon, const QString& strTip) {
    m_strTip = strTip;
    m_bAdded = true;
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(icon);
        // No context menu: a right or middle click on the icon does nothing.
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, &CTrayIcon::OnActivated);
    }
    m_icon->setToolTip(strTip);
    m_icon->show();
}

void CTrayIcon::SetTip(const QString& strTip) {
    m_strTip = strTip;
    if (m_icon && m_bAdded) m_icon->setToolTip(strTip);
}

void CTrayIcon::Remove() {
    m_bAdded = false;
    if (m_icon) m_icon->hide();
}

void CTrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit LeftButtonDown();
            break;
        case QSystemTrayIcon::DoubleClick:
            emit DoubleClicked();
            break;
        default:
            break;
    }
}

void CTrayIcon::Notify(const QString& strTitle, const QString& strText) {
    m_notifications << strText;
    if (m_icon && m_bAdded) m_icon->showMessage(strTitle, strText, m_icon->icon());
}
