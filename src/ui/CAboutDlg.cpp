#include "ui/CAboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/AppIcon.h"
#include "ui/ControlTemplate.h"
#include "ui/DialogUnits.h"

namespace {
const ControlTemplate kAboutControls[] = {
    {-1, "IDC_ABOUT_TEXT", ControlTemplate::Label, "", 35, 5, 119, 8, nullptr},
    {1, "IDOK", ControlTemplate::DefaultButton, "OK", 178, 7, 32, 14, nullptr},
};
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
    for (const ControlTemplate& control : kAboutControls) {
        QWidget* widget = CreateControl(control, units, *this);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
        // "Brisaloo Version 1.5" for 1.5.0: major and minor of the build's version.
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(QStringLiteral("Brisaloo Version ") +
                           QStringLiteral(BRISALOO_VERSION).section(QLatin1Char('.'), 0, 1));
    }
    setFixedSize(units.Size(217, 55));
}
