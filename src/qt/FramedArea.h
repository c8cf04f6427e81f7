// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <cmath>

// A scroll area (a multi-line field, a list) that keeps its right and bottom
// frame lines at a fractional scale: there the viewport's edges, rounded to
// device pixels, would paint over them, so the viewport stops a pixel short.
template <class Area>
class FramedArea final : public Area {
public:
    explicit FramedArea(QWidget* parent) : Area(parent) {
        const qreal ratio = this->devicePixelRatioF();
        if (ratio != std::floor(ratio)) this->setViewportMargins(0, 0, 1, 1);
    }
};
