// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "qt/DesktopNotification.h"
#include "qt/StatusNotifierItem.h"

namespace {

std::optional<bool> g_availableOverride;
std::optional<bool> g_systemTrayOverride;

// How often a display without an XEmbed tray is asked whether one started:
// a desktop's tray may start long after the program, at sign-in.
constexpr int kSystemTrayWatchMs = 2000;

bool SystemTrayRunning() {
    if (g_systemTrayOverride) return *g_systemTrayOverride;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

QDBusMessage WatcherCall(const QString& strInterface, const QString& strMethod) {
    return QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, strInterface, strMethod);
}

}  // namespace

CTrayIcon::CTrayIcon(QObject* parent) : QObject(parent) {
    m_systemTrayWatch.setInterval(kSystemTrayWatchMs);
    connect(&m_systemTrayWatch, &QTimer::timeout, this, &CTrayIcon::OnSystemTrayWatch);
}

CTrayIcon::~CTrayIcon() {
    Remove();
}

bool CTrayIcon::IsAvailable() const {
    if (g_availableOverride) return *g_availableOverride;
    return m_bAdded && (m_sni == SniState::Shown || (m_icon && m_icon->isVisible()));
}

void CTrayIcon::OverrideAvailability(std::optional<bool> bAvailable) {
    g_availableOverride = bAvailable;
}

void CTrayIcon::OverrideSystemTray(std::optional<bool> bRunning) {
    g_systemTrayOverride = bRunning;
}

TrayIconAnswer CTrayIcon::Add(const QIcon& icon, const QString& strTip) {
    m_iconImage = icon;
    m_strTip = strTip;
    m_bAdded = true;
    if (g_availableOverride)
        return *g_availableOverride ? TrayIconAnswer::Shown : TrayIconAnswer::Failed;
    // The window maps first: asking the bus for a panel (a round trip) and
    // making the icon's own window wait until the loop runs.
    if (m_bSetUpDue) return TrayIconAnswer::Pending;
    m_bSetUpDue = true;
    QMetaObject::invokeMethod(this, &CTrayIcon::SetUp, Qt::QueuedConnection);
    return TrayIconAnswer::Pending;
}

void CTrayIcon::SetUp() {
    m_bSetUpDue = false;
    if (!m_bAdded || g_availableOverride) return;
    WatchPanels();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface()->isServiceRegistered(kWatcherService).value())
        StartItem();
    else
        FallBackToSystemTray();
}

// Panels come and go (a restart, a log-in where the panel starts late): the
// item registers again whenever a watcher appears.
void CTrayIcon::WatchPanels() {
    if (m_pWatcher) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    m_pWatcher = new QDBusServiceWatcher(
        kWatcherService, bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(m_pWatcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (m_bAdded) StartItem();
    });
    connect(m_pWatcher, &QDBusServiceWatcher::serviceUnregistered, this, &CTrayIcon::OnWatcherGone);
    bus.connect(kWatcherService, kWatcherPath, kWatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(OnHostRegistered()));
}

// Every call here is asynchronous: the watcher may answer from this very thread.
void CTrayIcon::StartItem() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!m_item) {
        QStringList labels;
        for (const TrayMenuItem& item : kTrayMenu) labels << QString::fromLatin1(item.pszText);
        StatusNotifierItem::Handlers handlers;
        // The command runs after the D-Bus call returns: Setup and Notes run
        // dialogs of their own, and Exit removes the item that was called.
        handlers.onMenuItem = [this](int nIndex) {
            const TrayCommand command = kTrayMenu.at(std::size_t(nIndex)).command;
            QMetaObject::invokeMethod(
                this, [this, command] { emit CommandChosen(command); }, Qt::QueuedConnection);
        };
        handlers.onActivate = [this] {
            QMetaObject::invokeMethod(
                this, [this] { emit DoubleClicked(); }, Qt::QueuedConnection);
        };
        m_item = std::make_unique<StatusNotifierItem>(bus, m_iconImage, m_strTip, labels,
                                                      std::move(handlers));
        if (!m_item->Register()) {
            m_item.reset();
            FallBackToSystemTray();
            return;
        }
    }
    m_sni = SniState::Asking;
    QDBusMessage registration =
        WatcherCall(kWatcherService, QStringLiteral("RegisterStatusNotifierItem"));
    registration << m_item->ServiceName();
    bus.send(registration);

    QDBusMessage hostQuestion =
        WatcherCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    hostQuestion << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(hostQuestion), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *call;
                if (!m_bAdded || m_sni != SniState::Asking) return;
                if (!reply.isError() && reply.value().variant().toBool()) {
                    OnHostRegistered();
                } else {
                    // A watcher without a host shows nothing: keep the item registered
                    // for a host that comes later, and use the other tray meanwhile.
                    m_sni = SniState::Off;
                    FallBackToSystemTray();
                }
            });
}

void CTrayIcon::OnHostRegistered() {
    if (!m_bAdded || !m_item) return;
    m_sni = SniState::Shown;
    HideSystemTrayIcon();
    emit Shown();
}

void CTrayIcon::OnWatcherGone() {
    if (m_sni == SniState::Off) return;
    m_sni = SniState::Off;
    if (!m_bAdded) return;
    FallBackToSystemTray();
}

// No panel shows the item: the XEmbed tray, and the window is told whether
// the icon is in a tray at all.
void CTrayIcon::FallBackToSystemTray() {
    ShowSystemTrayIcon();
    if (m_icon && m_icon->isVisible()) {
        emit Shown();
        return;
    }
    // Nothing else tells the program that an XEmbed tray started later.
    m_systemTrayWatch.start();
    emit Lost();
}

void CTrayIcon::OnSystemTrayWatch() {
    const bool bInATray = m_sni == SniState::Shown || (m_icon && m_icon->isVisible());
    if (m_bAdded && !bInATray && !SystemTrayRunning()) return;
    m_systemTrayWatch.stop();
    if (m_bAdded && !bInATray) emit TrayCreated();
}

void CTrayIcon::ShowSystemTrayIcon() {
    if (!m_bAdded || m_sni == SniState::Shown || !SystemTrayRunning()) return;
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(m_iconImage);
        // No context menu: a right or middle click on the icon does nothing.
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, &CTrayIcon::OnActivated);
    }
    m_icon->setToolTip(m_strTip);
    m_icon->show();
}

void CTrayIcon::HideSystemTrayIcon() {
    if (m_icon) m_icon->hide();
}

void CTrayIcon::SetTip(const QString& strTip) {
    // The icon already shows an unchanged tip: nothing goes to the tray or the bus.
    if (strTip == m_strTip) return;
    m_strTip = strTip;
    if (!m_bAdded) return;
    if (m_item) m_item->SetTip(strTip);
    if (m_icon) m_icon->setToolTip(strTip);
}

void CTrayIcon::Remove() {
    m_bAdded = false;
    m_systemTrayWatch.stop();
    m_sni = SniState::Off;
    m_item.reset();
    HideSystemTrayIcon();
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

bool CTrayIcon::Notify(const QString& strTitle, const QString& strText) {
    m_notifications << strText;
    if (SendDesktopNotification(strTitle, strText)) return true;
    if (!m_icon || !m_bAdded || !m_icon->isVisible()) return false;
    m_icon->showMessage(strTitle, strText, m_icon->icon());
    return true;
}
