// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/ControlTemplate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "qt/AppIcon.h"
#include "qt/DialogUnits.h"
#include "qt/FramedArea.h"

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
        case ControlTemplate::EditField: {
            auto* edit = new QLineEdit(&parent);
            if (control.nTextLimit > 0) edit->setMaxLength(control.nTextLimit);
            return edit;
        }
        case ControlTemplate::ListBox: {
            auto* list = new FramedArea<QListWidget>(&parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setSortingEnabled(false);  // rows stay in the order they are inserted
            return list;
        }
        case ControlTemplate::BodyEdit:
        case ControlTemplate::WrappedBodyEdit: {
            const bool bWrap = control.kind == ControlTemplate::WrappedBodyEdit;
            auto* body = new FramedArea<QPlainTextEdit>(&parent);
            body->setTabChangesFocus(true);
            body->setLineWrapMode(bWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            body->setHorizontalScrollBarPolicy(bWrap ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOn);
            return body;
        }
        case ControlTemplate::Icon:
            return new QLabel(&parent);
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
    if (control.kind == ControlTemplate::Icon) {
        const int nSide = std::min(widget->width(), widget->height());
        static_cast<QLabel*>(widget)->setPixmap(BrisalooIcon().pixmap(nSide, nSide));
    }
    return widget;
}

int ControlId(const QWidget& widget) {
    const QVariant id = widget.property(kControlIdProperty);
    return id.isValid() ? id.toInt() : -1;
}
