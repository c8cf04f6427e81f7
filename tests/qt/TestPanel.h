// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// A StatusNotifier panel and a notification server for tests, on a bus
// connection of their own: the watcher with a registered host, and
// org.freedesktop.Notifications. Every call it makes to an item waits in a
// local event loop, so the item may live in the same thread.
class PanelWatcher final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return m_items; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList m_items;

public slots:
    void RegisterStatusNotifierItem(const QString& strService);
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& strService);
    void StatusNotifierHostRegistered();
};

struct PanelNotification {
    QString strApp, strIcon, strSummary, strBody;
};

class PanelNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<PanelNotification> m_received;

public slots:
    uint Notify(const QString& strApp, uint nReplaces, const QString& strIcon,
                const QString& strSummary, const QString& strBody, const QStringList& actions,
                const QVariantMap& hints, int nTimeout);
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
};

class TestPanel final : public QObject {
    Q_OBJECT
public:
    explicit TestPanel(bool bWithWatcher = true);
    ~TestPanel() override;

    // The watcher's name leaves the bus (a panel restart) and comes back.
    void StopWatcher();
    void StartWatcher();

    QStringList Items() const { return m_watcher.m_items; }
    const QList<PanelNotification>& Notifications() const { return m_notifications.m_received; }
    int NewToolTips() const { return m_nNewToolTips; }
    bool IsOnBus(const QString& strService);
    // A round trip to a connection: whatever it sent before has arrived.
    void Ping(const QString& strService);

    QVariant ItemProperty(const QString& strService, const QString& strName);
    QString ToolTipTitle(const QString& strService);
    QStringList MenuLabels(const QString& strService);
    // Sends a "clicked" event on the menu item with this label; false if none has it.
    bool Click(const QString& strService, const QString& strLabel);

private slots:
    void OnNewToolTip() { ++m_nNewToolTips; }

private:
    QDBusMessage Call(const QDBusMessage& call);

    QDBusConnection m_bus;
    PanelWatcher m_watcher;
    PanelNotifications m_notifications;
    int m_nNewToolTips = 0;
};
