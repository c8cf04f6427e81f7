// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

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

void DialogUnits::Place(QWidget& widget, int x, int y, int cx, int cy) const {
    widget.setGeometry(Rect(x, y, cx, cy));
}
