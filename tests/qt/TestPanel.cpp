// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPanel.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>

#include "qt/TrayDBusTypes.h"

namespace {
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
}  // namespace

void PanelWatcher::RegisterStatusNotifierItem(const QString& strService) {
    // An item may register by object path; its bus name is then the sender's.
    const QString strItem = strService.startsWith('/') ? message().service() : strService;
    if (!m_items.contains(strItem)) m_items << strItem;
    emit StatusNotifierItemRegistered(strItem);
}

uint PanelNotifications::Notify(const QString& strApp, uint, const QString& strIcon,
                                const QString& strSummary, const QString& strBody,
                                const QStringList&, const QVariantMap&, int) {
    m_received << PanelNotification{strApp, strIcon, strSummary, strBody};
    return uint(m_received.size());
}

TestPanel::TestPanel(bool bWithWatcher)
    : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                          QStringLiteral("brisaloo-test-panel"))) {
    RegisterTrayDBusTypes();
    const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                          QDBusConnection::ExportAllProperties;
    m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &m_watcher, exported);
    m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_notifications,
                         exported);
    m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    m_bus.connect(QString(), QStringLiteral("/StatusNotifierItem"), kItemInterface,
                  QStringLiteral("NewToolTip"), this, SLOT(OnNewToolTip()));
    if (bWithWatcher) StartWatcher();
}

TestPanel::~TestPanel() {
    m_bus.unregisterService(kWatcher);
    m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    m_bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    m_bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("brisaloo-test-panel"));
}

void TestPanel::StopWatcher() {
    m_bus.unregisterService(kWatcher);
    m_watcher.m_items.clear();
}

void TestPanel::StartWatcher() {
    m_bus.registerService(kWatcher);
    emit m_watcher.StatusNotifierHostRegistered();
}

bool TestPanel::IsOnBus(const QString& strService) {
    return m_bus.interface()->isServiceRegistered(strService).value();
}

void TestPanel::Ping(const QString& strService) {
    Call(QDBusMessage::createMethodCall(strService, QStringLiteral("/"),
                                        QStringLiteral("org.freedesktop.DBus.Peer"),
                                        QStringLiteral("Ping")));
}

QDBusMessage TestPanel::Call(const QDBusMessage& call) {
    QDBusPendingCallWatcher pending(m_bus.asyncCall(call, 5000));
    if (!pending.isFinished()) {
        QEventLoop loop;
        connect(&pending, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return pending.reply();
}

QVariant TestPanel::ItemProperty(const QString& strService, const QString& strName) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        strService, QStringLiteral("/StatusNotifierItem"), kProperties, QStringLiteral("Get"));
    get << kItemInterface << strName;
    const QDBusMessage reply = Call(get);
    if (reply.type() != QDBusMessage::ReplyMessage) return {};
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QString TestPanel::ToolTipTitle(const QString& strService) {
    const QVariant tip = ItemProperty(strService, QStringLiteral("ToolTip"));
    return qdbus_cast<SniToolTip>(tip.value<QDBusArgument>()).strTitle;
}

namespace {
DBusMenuLayout ReadLayout(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) return {};
    return qdbus_cast<DBusMenuLayout>(reply.arguments().at(1).value<QDBusArgument>());
}
}  // namespace

QStringList TestPanel::MenuLabels(const QString& strService) {
    const QString strPath =
        ItemProperty(strService, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    QDBusMessage get =
        QDBusMessage::createMethodCall(strService, strPath, kMenuInterface, "GetLayout");
    get << 0 << -1 << QStringList();
    QStringList labels;
    for (const DBusMenuLayout& child : ReadLayout(Call(get)).children)
        labels << child.properties.value(QStringLiteral("label")).toString();
    return labels;
}

bool TestPanel::Click(const QString& strService, const QString& strLabel) {
    const QString strPath =
        ItemProperty(strService, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    QDBusMessage get =
        QDBusMessage::createMethodCall(strService, strPath, kMenuInterface, "GetLayout");
    get << 0 << -1 << QStringList{QStringLiteral("label")};
    for (const DBusMenuLayout& child : ReadLayout(Call(get)).children) {
        if (child.properties.value(QStringLiteral("label")).toString() != strLabel) continue;
        QDBusMessage event =
            QDBusMessage::createMethodCall(strService, strPath, kMenuInterface, "Event");
        event << child.nId << QStringLiteral("clicked")
              << QVariant::fromValue(QDBusVariant(QString())) << 0u;
        return m_bus.send(event);
    }
    return false;
}
