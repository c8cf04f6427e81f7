// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/AppIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <map>

namespace {

// Decodes a size's PNG the first time something asks for it. QIcon::addFile
// decodes every file it is given at once: six sizes at start-up, most of
// them (the 128 and 256 px ones) never drawn.
class CLazyIconEngine final : public QIconEngine {
public:
    // nLargestOffered: the largest size availableSizes() names; larger ones
    // are still drawn when asked for.
    explicit CLazyIconEngine(int nLargestOffered) : m_nLargestOffered(nLargestOffered) {}
    QIconEngine* clone() const override { return new CLazyIconEngine(*this); }
    QString key() const override { return QStringLiteral("BrisalooIcon"); }
    bool isNull() override { return false; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int nSize : kIconSizes)
            if (nSize <= m_nLargestOffered) sizes << QSize(nSize, nSize);
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int nSide = std::min({SourceSizeFor(size), size.width(), size.height()});
        return {nSide, nSide};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap = Source(SourceSizeFor(size));
        const QSize fitted = actualSize(size, mode, state);
        if (pixmap.size() != fitted && fitted.isValid() && !fitted.isEmpty())
            pixmap = pixmap.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && QApplication::instance()) {
            const QStyleOption option;
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPixmap image = pixmap(rect.size(), mode, state);
        QRect target(QPoint(), image.size());
        target.moveCenter(rect.center());
        painter->drawPixmap(target, image);
    }

private:
    // The smallest size that is not scaled up, or the largest there is.
    static int SourceSizeFor(const QSize& size) {
        const int nWanted = std::max(size.width(), size.height());
        for (const int nSize : kIconSizes)
            if (nSize >= nWanted) return nSize;
        return *std::max_element(std::begin(kIconSizes), std::end(kIconSizes));
    }

    // Read as PNG and nothing else: a reader left to detect the format
    // loads every image plugin there is to ask it (the SVG one with QtSvg).
    const QPixmap& Source(int nSize) {
        QPixmap& pixmap = m_decoded[nSize];
        if (pixmap.isNull()) {
            QImageReader reader(QStringLiteral(":/icons/brisaloo-%1.png").arg(nSize), "png");
            reader.setAutoDetectImageFormat(false);
            pixmap = QPixmap::fromImage(reader.read());
        }
        return pixmap;
    }

    int m_nLargestOffered;
    std::map<int, QPixmap> m_decoded;
};

}  // namespace

QIcon BrisalooIcon() {
    // The icons are compiled into a static library: naming the resource here
    // makes the linker keep it in every program that asks for the icon.
    Q_INIT_RESOURCE(brisaloo);
    return QIcon(
        new CLazyIconEngine(*std::max_element(std::begin(kIconSizes), std::end(kIconSizes))));
}

QIcon BrisalooWindowIcon() {
    Q_INIT_RESOURCE(brisaloo);
    return QIcon(new CLazyIconEngine(kLargestWindowIconSize));
}
