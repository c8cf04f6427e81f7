// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusVariant>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>

#include "qt/TrayDBusTypes.h"

// A flat menu exported as com.canonical.dbusmenu: a root (id 0) whose
// children are the given labels, ids 1, 2, ... in order. The panel draws it
// wherever its icon is; a "clicked" event on an item reports its index.
class DBusMenu final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    // onClicked gets the index of the clicked label.
    DBusMenu(QStringList labels, std::function<void(int)> onClicked, QObject* parent = nullptr);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int nParentId, int nRecursionDepth, const QStringList& propertyNames,
                   DBusMenuLayout& layout);
    DBusMenuItemList GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames);
    QDBusVariant GetProperty(int nId, const QString& strName);
    void Event(int nId, const QString& strEventId, const QDBusVariant& data, uint nTimestamp);
    QList<int> EventGroup(const DBusMenuEventList& events);
    bool AboutToShow(int nId);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void LayoutUpdated(uint nRevision, int nParent);
    void ItemActivationRequested(int nId, uint nTimestamp);

private:
    bool IsKnown(int nId) const { return nId >= 0 && nId <= m_labels.size(); }
    QVariantMap Properties(int nId, const QStringList& propertyNames) const;

    QStringList m_labels;
    std::function<void(int)> m_onClicked;
};
