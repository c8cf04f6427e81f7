// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CAboutDlg.h"

#include <QPushButton>

#include "qt/ControlTemplate.h"
#include "qt/DialogUnits.h"
#include "qt/QtDialogView.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& dialog = AboutDialogTemplate();
    setWindowTitle(QString::fromUtf8(dialog.pszCaption));
    SetNestedModality(*this);
    const DialogUnits units(font());
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, units, *this);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }
    setFixedSize(units.Size(dialog.cx, dialog.cy));
}
