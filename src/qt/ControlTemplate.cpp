// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/ControlTemplate.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include "qt/AppIcon.h"
#include "qt/DialogUnits.h"
#include "qt/FramedArea.h"

#include <algorithm>

namespace {

const char* const kControlIdProperty = "brisalooControlId";

// The frame of a bordered field, drawn by the style as the field's own would
// be, in a widget of its own under the field. The field is frameless and sits
// inside it, so a field rewritten every second repaints its text area alone:
// the style's rounded frame is most of what painting a field costs.
class FieldFrame final : public QWidget {
public:
    FieldFrame(QLineEdit& field, QWidget& parent) : QWidget(&parent), m_field(field) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        m_field.installEventFilter(this);  // the frame shows the field's focus
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStyleOptionFrame option;
        option.initFrom(&m_field);
        option.rect = rect();
        option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &m_field);
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
        option.features = QStyleOptionFrame::None;
        QPainter painter(this);
        // The corners outside the rounding, as the field would fill them.
        if (m_field.autoFillBackground())
            painter.fillRect(rect(), m_field.palette().brush(m_field.backgroundRole()));
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, &m_field);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
        return QWidget::eventFilter(watched, event);
    }

private:
    QLineEdit& m_field;
};

// Places the frame where the template puts the field, and the field inside it.
void FrameField(QLineEdit& field, QWidget& parent) {
    auto* frame = new FieldFrame(field, parent);
    frame->setObjectName(field.objectName() + QStringLiteral(" frame"));
    frame->setGeometry(field.geometry());
    frame->stackUnder(&field);
    QStyleOptionFrame option;
    option.initFrom(&field);
    // One pixel more than the frame's width leaves the style its inner shadow
    // line and rounded corners; the text margins put the text back where the
    // framed field draws it.
    const int nInset =
        field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field) + 1;
    field.setGeometry(field.geometry().marginsRemoved({nInset, nInset, nInset, nInset}));
    field.setTextMargins(-1, -1, -1, -1);
}

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
        case ControlTemplate::BorderedField:  // framed once placed
            return ReadOnlyField(parent, false);
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
    if (control.kind == ControlTemplate::BorderedField)
        FrameField(*static_cast<QLineEdit*>(widget), parent);
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
