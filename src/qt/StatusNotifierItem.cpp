// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/StatusNotifierItem.h"

#include <QCoreApplication>
#include <QImage>
#include <QtEndian>

#include <utility>

#include "qt/DBusMenu.h"

namespace {

const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");

// Panels draw 16 to 64 px; the larger images would only weigh down every
// property read.
SniPixmapList PixmapsOf(const QIcon& icon) {
    SniPixmapList pixmaps;
    for (const int nSize : {16, 22, 24, 32, 48, 64}) {
        const QImage image =
            icon.pixmap(nSize, nSize).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) continue;
        SniPixmap pixmap{image.width(), image.height(), {}};
        pixmap.bytes.resize(qsizetype(image.width()) * image.height() * 4);
        auto* out = reinterpret_cast<uchar*>(pixmap.bytes.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, out += 4) qToBigEndian(line[x], out);
        }
        pixmaps << pixmap;
    }
    return pixmaps;
}

}  // namespace

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, const QIcon& icon,
                                       const QString& strTip, const QStringList& menuLabels,
                                       Handlers handlers)
    : m_bus(std::move(bus)), m_strTip(strTip), m_icon(icon), m_handlers(std::move(handlers)) {
    RegisterTrayDBusTypes();
    m_menu = std::make_unique<DBusMenu>(menuLabels, [this](int nIndex) {
        if (m_handlers.onMenuItem) m_handlers.onMenuItem(nIndex);
    });
}

StatusNotifierItem::~StatusNotifierItem() {
    if (!m_bRegistered) return;
    // Giving up the name is what tells the watcher that the item is gone.
    m_bus.unregisterService(m_strService);
    m_bus.unregisterObject(kItemPath);
    m_bus.unregisterObject(kMenuPath);
}

bool StatusNotifierItem::Register() {
    if (m_bRegistered) return true;
    static int s_nInstance = 0;
    m_strService = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(++s_nInstance);
    const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                          QDBusConnection::ExportAllProperties;
    if (!m_bus.registerObject(kItemPath, this, exported) ||
        !m_bus.registerObject(kMenuPath, m_menu.get(), exported)) {
        m_bus.unregisterObject(kItemPath);
        return false;
    }
    if (!m_bus.registerService(m_strService)) {
        m_bus.unregisterObject(kItemPath);
        m_bus.unregisterObject(kMenuPath);
        return false;
    }
    m_bRegistered = true;
    return true;
}

// The images are made when a panel first reads them, not when the item starts.
SniPixmapList StatusNotifierItem::iconPixmap() const {
    if (!m_pixmaps) m_pixmaps = PixmapsOf(m_icon);
    return *m_pixmaps;
}

void StatusNotifierItem::SetTip(const QString& strTip) {
    if (strTip == m_strTip) return;
    m_strTip = strTip;
    emit NewToolTip();
}

SniToolTip StatusNotifierItem::toolTip() const {
    return {iconName(), {}, m_strTip, {}};
}

QDBusObjectPath StatusNotifierItem::menu() const {
    return QDBusObjectPath(kMenuPath);
}

void StatusNotifierItem::Activate(int, int) {
    if (m_handlers.onActivate) m_handlers.onActivate();
}

// A middle click does nothing.
void StatusNotifierItem::SecondaryActivate(int, int) {}

// The panel shows the exported menu itself.
void StatusNotifierItem::ContextMenu(int, int) {}

void StatusNotifierItem::Scroll(int, const QString&) {}
