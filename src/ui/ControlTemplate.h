// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DialogUnits;
class QWidget;

// One control of a dialog template: its id, where it sits in dialog units and
// the text a screen reader gives for it.
struct ControlTemplate {
    enum Kind { PushButton, DefaultButton, Label, GroupBox, Field, BorderedField, MultiLineField,
                BannerField, CheckBox, EditField };
    int nId;  // -1 for labels and frames
    const char* pszName;
    Kind kind;
    const char* pszText;
    int x, y, cx, cy;
    const char* pszAccessibleName;
};

// Builds the widget for one template control inside parent, placed and named
// ("IDC_..."), and returns it. Group boxes are sent behind their siblings so
// that the fields they frame stay reachable.
QWidget* CreateControl(const ControlTemplate& control, const DialogUnits& units, QWidget& parent);

// The control id a widget was created with, or -1.
int ControlId(const QWidget& widget);
