// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CAboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/AppIcon.h"
#include "ui/ControlTemplate.h"
#include "ui/DialogUnits.h"

namespace {

// "Brisaloo Version 1.5" for a 1.5.0 build: major and minor of the version.
const QByteArray& VersionText() {
    static const QByteArray text =
        "Brisaloo Version " + QByteArrayLiteral(BRISALOO_VERSION).split('.').mid(0, 2).join('.');
    return text;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Brisaloo"));
    const DialogUnits units(font());
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("IDR_MAINFRAME"));
    const QRect iconRect = units.Rect(5, 5, 18, 20);
    icon->setGeometry(iconRect);
    const int nSide = std::min(iconRect.width(), iconRect.height());
    icon->setPixmap(BrisalooIcon().pixmap(nSide, nSide));
    const ControlTemplate aboutControls[] = {
        {-1, "IDC_ABOUT_TEXT", ControlTemplate::Label, VersionText().constData(), 35, 5, 119, 8,
         nullptr},
        {1, "IDOK", ControlTemplate::DefaultButton, "OK", 178, 7, 32, 14, nullptr},
    };
    for (const ControlTemplate& control : aboutControls) {
        QWidget* widget = CreateControl(control, units, *this);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }
    setFixedSize(units.Size(217, 55));
}
