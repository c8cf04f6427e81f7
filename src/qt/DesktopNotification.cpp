// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

bool SendDesktopNotification(const QString& strSummary, const QString& strBody) {
    const QString strService = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon) return false;
    // A server that is not running yet may be started by the bus on the call.
    if (!daemon->isServiceRegistered(strService).value() &&
        !daemon->activatableServiceNames().value().contains(strService))
        return false;

    QDBusMessage call =
        QDBusMessage::createMethodCall(strService, QStringLiteral("/org/freedesktop/Notifications"),
                                       strService, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("brisaloo")}};
    call << QStringLiteral("Brisaloo") << 0u << QStringLiteral("brisaloo") << strSummary << strBody
         << QStringList() << hints << -1;
    return bus.send(call);
}
