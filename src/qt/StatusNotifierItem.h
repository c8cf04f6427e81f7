// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "qt/TrayDBusTypes.h"

class DBusMenu;

// The program's icon as an org.kde.StatusNotifierItem on the session bus, with
// its menu exported beside it. ItemIsMenu is true: a panel opens the menu on
// a left click and draws it at the icon itself, so nothing here needs screen
// coordinates. The item lives on the bus from Register() until destruction.
class StatusNotifierItem final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ emptyName)
    Q_PROPERTY(QString AttentionIconName READ emptyName)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    struct Handlers {
        std::function<void(int)> onMenuItem;  // the index of a clicked menu label
        std::function<void()> onActivate;     // a primary activation of the icon
    };
    StatusNotifierItem(QDBusConnection bus, const QIcon& icon, const QString& strTip,
                       const QStringList& menuLabels, Handlers handlers);
    ~StatusNotifierItem() override;

    // Exports the item and its menu and takes a unique bus name; false if the
    // bus refused any of it.
    bool Register();
    const QString& ServiceName() const { return m_strService; }
    void SetTip(const QString& strTip);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("brisaloo"); }
    QString title() const { return QStringLiteral("Brisaloo"); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return QStringLiteral("brisaloo"); }
    SniPixmapList iconPixmap() const;
    QString emptyName() const { return {}; }
    SniToolTip toolTip() const;
    bool itemIsMenu() const { return true; }
    QDBusObjectPath menu() const;

public slots:
    void Activate(int nX, int nY);
    void SecondaryActivate(int nX, int nY);
    void ContextMenu(int nX, int nY);
    void Scroll(int nDelta, const QString& strOrientation);

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& strStatus);

private:
    QDBusConnection m_bus;
    QString m_strService;
    QString m_strTip;
    QIcon m_icon;
    mutable std::optional<SniPixmapList> m_pixmaps;
    Handlers m_handlers;
    std::unique_ptr<DBusMenu> m_menu;
    bool m_bRegistered = false;
};
