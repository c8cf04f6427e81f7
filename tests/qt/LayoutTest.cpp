// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog's controls stay apart, inside the dialog and wide enough for
// their text, at the desktop's font and at a 12-point one. CTest runs this
// program again under QT_SCALE_FACTOR 1.5 and 2.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QtTest>

#include <functional>
#include <memory>

#include "app/AddNoteForm.h"
#include "app/CCountdownApp.h"
#include "countdown/Clock.h"
#include "qt/CAboutDlg.h"
#include "qt/CAddNoteDlg.h"
#include "qt/CCountdownDlg.h"
#include "qt/CNotesDlg.h"
#include "qt/CSetupDlg.h"
#include "support/MemoryProfile.h"

namespace {

QString Describe(const QWidget* widget) {
    QString strText;
    if (auto* label = qobject_cast<const QLabel*>(widget)) strText = label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) strText = button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget)) strText = group->title();
    const QRect at = widget->geometry();
    return QStringLiteral("%1 %2 \"%3\" at %4,%5 %6x%7")
        .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(), strText)
        .arg(at.x())
        .arg(at.y())
        .arg(at.width())
        .arg(at.height());
}

// The text a control shows and the room it has for it, or no text.
struct TextRoom {
    QString strText;
    int nRoom = 0;
};

TextRoom RoomFor(const QWidget& widget) {
    const QStyle* style = widget.style();
    if (auto* label = qobject_cast<const QLabel*>(&widget))
        return {label->text(), label->contentsRect().width()};
    if (auto* box = qobject_cast<const QCheckBox*>(&widget))
        return {box->text(), box->width() - style->pixelMetric(QStyle::PM_IndicatorWidth) -
                                 style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)};
    if (auto* button = qobject_cast<const QPushButton*>(&widget))
        return {button->text(), button->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin)};
    if (auto* group = qobject_cast<const QGroupBox*>(&widget))
        return {group->title(), group->width() - 2 * widget.fontMetrics().averageCharWidth()};
    return {};
}

// The room inside a group box's frame line, which its controls may use.
QRect GroupInside(const QGroupBox& group) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect frame = group.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxFrame, &group);
    return frame.adjusted(1, 1, -1, -1).translated(group.pos());
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    using Factory = std::function<std::unique_ptr<QDialog>()>;

    MemoryProfile m_profile;
    CCountdownApp m_app{m_profile};
    AddNoteForm m_addNoteForm;
    FixedClock m_clock{1'700'000'000};
    QFont m_desktopFont;

private slots:
    void initTestCase() { m_desktopFont = QApplication::font(); }
    void cleanup() { QApplication::setFont(m_desktopFont); }

    void controlsStayApartInsideAndFitTheirText_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("nPointSize");  // 0: the desktop's font
        for (const char* dialog : {"main", "setup", "notes", "add note", "about"})
            for (int nPointSize : {0, 12})
                QTest::addRow("%s, %s", dialog, nPointSize ? "12 pt" : "desktop font")
                    << QString::fromLatin1(dialog) << nPointSize;
    }
    void controlsStayApartInsideAndFitTheirText() {
        QFETCH(QString, dialog);
        QFETCH(int, nPointSize);
        if (nPointSize) {
            QFont font = m_desktopFont;
            font.setPointSize(nPointSize);
            QApplication::setFont(font);
        }
        const std::map<QString, Factory> factories = {
            {"main", [this] { return std::make_unique<CCountdownDlg>(m_app, m_clock); }},
            {"setup", [this] { return std::make_unique<CSetupDlg>(m_app.m_settings); }},
            {"notes", [this] { return std::make_unique<CNotesDlg>(m_app); }},
            {"add note", [this] { return std::make_unique<CAddNoteDlg>(m_addNoteForm); }},
            {"about", [] { return std::make_unique<CAboutDlg>(); }},
        };
        const std::unique_ptr<QDialog> dlg = factories.at(dialog)();
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));

        // Fixed size, as laid out.
        QCOMPARE(dlg->minimumSize(), dlg->maximumSize());

        QList<QWidget*> controls;
        for (QObject* child : dlg->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            // A bordered field's frame is part of the field it holds.
            if (widget && !widget->isWindow() && !widget->isHidden() &&
                !widget->objectName().endsWith(QLatin1String(" frame")))
                controls << widget;
        }
        QVERIFY(controls.size() >= 2);
        // Nothing touches the dialog's edge.
        const QRect inside = dlg->rect().adjusted(2, 2, -2, -2);
        for (QWidget* control : controls) {
            const QRect rect = control->geometry();
            QVERIFY2(inside.contains(rect),
                     qPrintable(Describe(control) + " leaves the dialog or touches its edge"));
            const TextRoom room = RoomFor(*control);
            if (!room.strText.isEmpty()) {
                const QFontMetrics metrics = control->fontMetrics();
                QVERIFY2(metrics.horizontalAdvance(room.strText) <= room.nRoom,
                         qPrintable(Describe(control) + " is too narrow for its text"));
                QVERIFY2(metrics.height() <= control->contentsRect().height(),
                         qPrintable(Describe(control) + " is too low for its text"));
            }
            for (QWidget* other : controls) {
                if (other == control || !rect.intersects(other->geometry())) continue;
                // A group box frames what lies wholly below its title, and nothing else.
                if (auto* group = qobject_cast<QGroupBox*>(control)) {
                    QVERIFY2(GroupInside(*group).contains(other->geometry()),
                             qPrintable(Describe(other) + " crosses " + Describe(control)));
                } else if (!qobject_cast<QGroupBox*>(other)) {
                    QFAIL(qPrintable(Describe(control) + " overlaps " + Describe(other)));
                }
            }
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "LayoutTest.moc"
