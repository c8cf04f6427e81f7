// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>

#include <array>
#include <memory>
#include <optional>

#include "app/MainView.h"
#include "app/TrayMenu.h"

class QDBusServiceWatcher;
class StatusNotifierItem;

// The program's icon in the notification area. Where a StatusNotifier panel
// runs (a watcher with a host on the session bus) the icon is a
// StatusNotifierItem that exports the tray menu for the panel to draw;
// elsewhere it is a QSystemTrayIcon and the window pops its own menu on
// LeftButtonDown. It remembers its tip and whether it is shown, so the rest of
// the program (and its tests) can work the same whether or not the desktop
// offers a tray.
class CTrayIcon final : public QObject {
    Q_OBJECT
public:
    explicit CTrayIcon(QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Whether the icon is in a tray of either kind (a panel showed the item,
    // or the XEmbed tray took the icon).
    bool IsAvailable() const;
    // Tests stand in for a desktop with (or without) a tray: Add answers at
    // once and asks nobody; nullopt asks the desktop again. The icon itself
    // is only ever shown in a real tray.
    static void OverrideAvailability(std::optional<bool> bAvailable);
    // Tests stand in for the display's XEmbed tray: whether one runs;
    // nullopt asks the display again.
    static void OverrideSystemTray(std::optional<bool> bRunning);

    // Puts the icon into the tray with a first tip once the event loop runs
    // (Pending: Shown or Lost follows), or again after a failure.
    TrayIconAnswer Add(const QIcon& icon, const QString& strTip);
    void SetTip(const QString& strTip);
    // Removing an icon that is already gone does nothing.
    void Remove();

    // A desktop notification: through the desktop's notification server when
    // one is on the session bus, else as a balloon from the icon; with neither
    // it is only remembered. Returns whether it reached the user.
    bool Notify(const QString& strTitle, const QString& strText);

    bool IsAdded() const { return m_bAdded; }
    const QStringList& Notifications() const { return m_notifications; }
    const QString& Tip() const { return m_strTip; }

signals:
    void LeftButtonDown();  // opens the tray menu (the window's own pop-up)
    void DoubleClicked();   // shows the main window
    // An item of the menu the panel drew, delivered after the click's D-Bus call.
    void CommandChosen(TrayCommand command);
    // The icon is in a tray: a panel's host showed the item, or the XEmbed tray.
    void Shown();
    // The icon is in no tray (no panel answered, none is left, no XEmbed tray):
    // nothing can bring a hidden window back.
    void Lost();
    // An XEmbed tray started on a display that had none while the icon was
    // in no tray: adding it again may now succeed.
    void TrayCreated();

private slots:
    void OnHostRegistered();

private:
    enum class SniState { Off, Asking, Shown };

    void SetUp();
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void WatchPanels();
    void StartItem();
    void OnWatcherGone();
    void ShowSystemTrayIcon();
    void FallBackToSystemTray();
    void HideSystemTrayIcon();
    void OnSystemTrayWatch();

    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<StatusNotifierItem> m_item;
    QDBusServiceWatcher* m_pWatcher = nullptr;
    SniState m_sni = SniState::Off;
    QIcon m_iconImage;
    QString m_strTip;
    QStringList m_notifications;
    bool m_bAdded = false;
    bool m_bSetUpDue = false;
    QTimer m_systemTrayWatch;  // runs while the icon waits for an XEmbed tray
};
