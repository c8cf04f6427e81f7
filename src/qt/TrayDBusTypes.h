// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The structures the StatusNotifierItem and com.canonical.dbusmenu interfaces
// carry, with their D-Bus marshalling. RegisterTrayDBusTypes() must run before
// an object using them is exported or a reply holding them is read.

// One icon image: width, height and ARGB32 pixels in network byte order, (iiay).
struct SniPixmap {
    int nWidth = 0;
    int nHeight = 0;
    QByteArray bytes;
};
using SniPixmapList = QList<SniPixmap>;

// The tool tip: icon name, icon images, title and text, (sa(iiay)ss).
struct SniToolTip {
    QString strIconName;
    SniPixmapList pixmaps;
    QString strTitle;
    QString strText;
};

// A menu node with its properties and its children (each a variant holding a
// node), (ia{sv}av).
struct DBusMenuLayout {
    int nId = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// The properties of one item, (ia{sv}).
struct DBusMenuItem {
    int nId = 0;
    QVariantMap properties;
};
using DBusMenuItemList = QList<DBusMenuItem>;

// One event of EventGroup: item id, event name, data and time, (isvu).
struct DBusMenuEvent {
    int nId = 0;
    QString strEventId;
    QDBusVariant data;
    uint nTimestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayout& layout);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayout& layout);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event);

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)
Q_DECLARE_METATYPE(DBusMenuLayout)
Q_DECLARE_METATYPE(DBusMenuItem)
Q_DECLARE_METATYPE(DBusMenuEvent)

void RegisterTrayDBusTypes();
