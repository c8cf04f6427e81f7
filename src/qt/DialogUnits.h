// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// Converts dialog-template units to pixels for one font: a horizontal unit is
// a quarter of the font's average character width, a vertical unit an eighth
// of its character height, so a layout keeps its proportions at any font size.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int CharWidth() const { return m_nCharWidth; }    // average width of a letter, pixels
    int CharHeight() const { return m_nCharHeight; }  // line height of the font, pixels

    int X(int nUnits) const;  // horizontal units to pixels, rounded
    int Y(int nUnits) const;  // vertical units to pixels, rounded
    QRect Rect(int x, int y, int cx, int cy) const;
    QSize Size(int cx, int cy) const;

    // Gives the widget the geometry of a template control (x, y, cx, cy).
    void Place(QWidget& widget, int x, int y, int cx, int cy) const;

private:
    int m_nCharWidth;
    int m_nCharHeight;
};
