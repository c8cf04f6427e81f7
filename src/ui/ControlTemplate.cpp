// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ControlTemplate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/DialogUnits.h"
#include "ui/FramedArea.h"

#include <algorithm>

namespace {

const char* const kControlIdProperty = "brisalooControlId";

QLineEdit* ReadOnlyField(QWidget& parent, bool bFrame) {
    auto* field = new QLineEdit(&parent);
    field->setReadOnly(true);
    field->setFrame(bFrame);
    return field;
}

QWidget* NewWidget(const ControlTemplate& control, QWidget& parent) {
    const QString strText = QString::fromUtf8(control.pszText);
    switch (control.kind) {
        case ControlTemplate::PushButton:
        case ControlTemplate::DefaultButton: {
            auto* button = new QPushButton(strText, &parent);
            button->setAutoDefault(false);
            button->setDefault(control.kind == ControlTemplate::DefaultButton);
            return button;
        }
        case ControlTemplate::Label:
            return new QLabel(strText, &parent);
        case ControlTemplate::GroupBox:
            return new QGroupBox(strText, &parent);
        case ControlTemplate::Field:
            return ReadOnlyField(parent, false);
        case ControlTemplate::BorderedField:
            return ReadOnlyField(parent, true);
        case ControlTemplate::BannerField: {
            QLineEdit* field = ReadOnlyField(parent, false);
            field->setFocusPolicy(Qt::NoFocus);
            QPalette palette = field->palette();
            palette.setColor(QPalette::Base, Qt::transparent);
            field->setPalette(palette);
            return field;
        }
        case ControlTemplate::MultiLineField: {
            auto* field = new FramedArea<QPlainTextEdit>(&parent);
            field->setReadOnly(true);
            field->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            return field;
        }
        case ControlTemplate::CheckBox:
            return new QCheckBox(strText, &parent);
        case ControlTemplate::EditField:
            return new QLineEdit(&parent);
    }
    return nullptr;
}

}  // namespace

QWidget* CreateControl(const ControlTemplate& control, const DialogUnits& units, QWidget& parent) {
    QWidget* widget = NewWidget(control, parent);
    units.Place(*widget, control.x, control.y, control.cx, control.cy);
    // A desktop font wider than the template's must not cut a label short.
    if (control.kind == ControlTemplate::Label || control.kind == ControlTemplate::CheckBox)
        widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
    widget->setProperty(kControlIdProperty, control.nId);
    if (control.pszName) widget->setObjectName(QString::fromLatin1(control.pszName));
    if (control.pszAccessibleName)
        widget->setAccessibleName(QString::fromUtf8(control.pszAccessibleName));
    if (control.kind == ControlTemplate::GroupBox) widget->lower();
    return widget;
}

int ControlId(const QWidget& widget) {
    const QVariant id = widget.property(kControlIdProperty);
    return id.isValid() ? id.toInt() : -1;
}
