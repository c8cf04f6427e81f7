// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/DialogTemplates.h"

class DialogUnits;
class QWidget;

// Builds the widget for one template control inside parent, placed and named
// ("IDC_..."), and returns it. Group boxes are sent behind their siblings so
// that the fields they frame stay reachable.
QWidget* CreateControl(const ControlTemplate& control, const DialogUnits& units, QWidget& parent);

// The control id a widget was created with, or -1.
int ControlId(const QWidget& widget);
