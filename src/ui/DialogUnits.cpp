#include "ui/DialogUnits.h"

#include <QFontMetrics>
#include <QFrame>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The average width is taken over the 52 letters, rounded to the nearest pixel.
int AverageLetterWidth(const QFontMetrics& metrics) {
    const QString strLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int nTotal = metrics.horizontalAdvance(strLetters);
    return std::max(1, (nTotal / 26 + 1) / 2);
}

int Scale(int nUnits, int nBase, int nDivisor) {
    const long long nProduct = static_cast<long long>(nUnits) * nBase;
    const long long nHalf = nDivisor / 2;
    return static_cast<int>(nProduct >= 0 ? (nProduct + nHalf) / nDivisor
                                          : -((-nProduct + nHalf) / nDivisor));
}

// The smallest number of pixels that is a whole number of device pixels at the
// given ratio: 1 at 1 and 2, 2 at 1.5, 4 at 1.25 and 1.75.
int WholeDevicePixels(qreal ratio) {
    for (int n = 1; n <= 8; ++n) {
        const qreal device = n * ratio;
        if (std::abs(device - std::round(device)) < 0.01) return n;
    }
    return 1;
}

int SnapTo(int n, int nStep) {
    return (n + nStep / 2) / nStep * nStep;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    m_nCharWidth = AverageLetterWidth(metrics);
    m_nCharHeight = std::max(1, metrics.height());
}

int DialogUnits::X(int nUnits) const {
    return Scale(nUnits, m_nCharWidth, 4);
}

int DialogUnits::Y(int nUnits) const {
    return Scale(nUnits, m_nCharHeight, 8);
}

// The far edges are rounded as positions, so that controls the template puts
// edge to edge stay edge to edge rather than overlap by a rounded pixel.
QRect DialogUnits::Rect(int x, int y, int cx, int cy) const {
    return QRect(QPoint(X(x), Y(y)), QPoint(X(x + cx) - 1, Y(y + cy) - 1));
}

QSize DialogUnits::Size(int cx, int cy) const {
    return QSize(X(cx), Y(cy));
}

// At a fractional scale a control whose edges fall between device pixels
// loses its right and bottom border lines to rounding, so the edges of a
// control with a border are moved to the nearest pixel that is whole on the
// device too. Controls sharing an edge still share it.
void DialogUnits::Place(QWidget& widget, int x, int y, int cx, int cy) const {
    const QRect rect = Rect(x, y, cx, cy);
    const auto* frame = qobject_cast<const QFrame*>(&widget);
    const bool bBorder = !frame || frame->frameShape() != QFrame::NoFrame;
    const int nStep = bBorder ? WholeDevicePixels(widget.devicePixelRatioF()) : 1;
    if (nStep == 1) {
        widget.setGeometry(rect);
        return;
    }
    const int nLeft = SnapTo(rect.x(), nStep);
    const int nTop = SnapTo(rect.y(), nStep);
    widget.setGeometry(nLeft, nTop, std::max(nStep, SnapTo(rect.x() + rect.width(), nStep) - nLeft),
                       std::max(nStep, SnapTo(rect.y() + rect.height(), nStep) - nTop));
}
