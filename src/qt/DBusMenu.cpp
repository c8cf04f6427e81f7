// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/DBusMenu.h"

#include <utility>

namespace {
constexpr uint kRevision = 1;  // the items never change
}

DBusMenu::DBusMenu(QStringList labels, std::function<void(int)> onClicked, QObject* parent)
    : QObject(parent), m_labels(std::move(labels)), m_onClicked(std::move(onClicked)) {
    RegisterTrayDBusTypes();
}

QVariantMap DBusMenu::Properties(int nId, const QStringList& propertyNames) const {
    QVariantMap properties;
    if (nId == 0) {
        properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    } else if (IsKnown(nId)) {
        properties.insert(QStringLiteral("label"), m_labels.at(nId - 1));
        properties.insert(QStringLiteral("enabled"), true);
        properties.insert(QStringLiteral("visible"), true);
    }
    if (propertyNames.isEmpty()) return properties;
    QVariantMap asked;
    for (const QString& strName : propertyNames)
        if (properties.contains(strName)) asked.insert(strName, properties.value(strName));
    return asked;
}

uint DBusMenu::GetLayout(int nParentId, int nRecursionDepth, const QStringList& propertyNames,
                         DBusMenuLayout& layout) {
    layout = {};
    if (!IsKnown(nParentId)) return kRevision;
    layout.nId = nParentId;
    layout.properties = Properties(nParentId, propertyNames);
    if (nParentId == 0 && nRecursionDepth != 0)
        for (int nId = 1; nId <= m_labels.size(); ++nId)
            layout.children << DBusMenuLayout{nId, Properties(nId, propertyNames), {}};
    return kRevision;
}

DBusMenuItemList DBusMenu::GetGroupProperties(const QList<int>& ids,
                                              const QStringList& propertyNames) {
    DBusMenuItemList items;
    // No ids asks for every item.
    QList<int> wanted = ids;
    if (wanted.isEmpty())
        for (int nId = 0; nId <= m_labels.size(); ++nId) wanted << nId;
    for (int nId : wanted)
        if (IsKnown(nId)) items << DBusMenuItem{nId, Properties(nId, propertyNames)};
    return items;
}

QDBusVariant DBusMenu::GetProperty(int nId, const QString& strName) {
    return QDBusVariant(Properties(nId, {}).value(strName, QString()));
}

void DBusMenu::Event(int nId, const QString& strEventId, const QDBusVariant&, uint) {
    if (strEventId == QLatin1String("clicked") && nId > 0 && IsKnown(nId)) m_onClicked(nId - 1);
}

QList<int> DBusMenu::EventGroup(const DBusMenuEventList& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (IsKnown(event.nId))
            Event(event.nId, event.strEventId, event.data, event.nTimestamp);
        else
            idErrors << event.nId;
    }
    return idErrors;
}

bool DBusMenu::AboutToShow(int) {
    return false;
}  // nothing to update

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (int nId : ids)
        if (!IsKnown(nId)) idErrors << nId;
    return {};
}
