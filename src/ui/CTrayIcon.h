#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>

#include <memory>
#include <optional>

class QMenu;

// The program's icon in the notification area. It remembers its tip and
// whether it is shown, so the rest of the program (and its tests) can work the
// same whether or not the desktop offers a tray.
class CTrayIcon final : public QObject {
    Q_OBJECT
public:
    explicit CTrayIcon(QObject* parent = nullptr);
    ~CTrayIcon() override;

    static bool IsAvailable();
    // Tests stand in for a desktop with (or without) a tray; nullopt asks the
    // desktop again. The icon itself is only ever shown in a real tray.
    static void OverrideAvailability(std::optional<bool> bAvailable);

    // Puts the icon into the tray with a first tip; does nothing without a tray.
    void Add(const QIcon& icon, const QString& strTip);
    void SetTip(const QString& strTip);
    // Removing an icon that is already gone does nothing.
    void Remove();

    // A desktop notification from the icon; without a tray it is only remembered.
    void Notify(const QString& strTitle, const QString& strText);

    bool IsAdded() const { return m_bAdded; }
    const QStringList& Notifications() const { return m_notifications; }
    const QString& Tip() const { return m_strTip; }

signals:
    void LeftButtonDown();  // opens the tray menu
    void DoubleClicked();   // shows the main window

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    std::unique_ptr<QSystemTrayIcon> m_icon;
    QString m_strTip;
    QStringList m_notifications;
    bool m_bAdded = false;
};
