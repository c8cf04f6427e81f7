// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/QtDialogView.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextDocument>

#include "app/DialogTemplates.h"
#include "qt/CAddNoteDlg.h"
#include "qt/ControlTemplate.h"
#include "qt/DialogUnits.h"
#include "qt/QtUserMessages.h"

namespace {

QString FromUtf8(const std::string& str) {
    return QString::fromUtf8(str.data(), static_cast<qsizetype>(str.size()));
}

std::string ToUtf8(const QString& str) {
    const QByteArray bytes = str.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The core's CR LF (or a lone CR) as the line break a text edit shows.
QString ToFieldLines(const std::string& strText) {
    QString strField = FromUtf8(strText);
    strField.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    strField.replace(QChar(u'\r'), QChar(u'\n'));
    return strField;
}

}  // namespace

void SetNestedModality(QDialog& dialog) {
    dialog.setWindowModality(Qt::WindowModal);
}

void BuildDialogFromTemplate(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.pszCaption));
    SetNestedModality(dialog);
    dialog.setObjectName(QString::fromLatin1(dialogTemplate.pszName));
    const DialogUnits units(dialog.font());
    QWidget* first = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control, units, dialog);
        if (!first && (widget->focusPolicy() & Qt::TabFocus)) first = widget;
    }
    dialog.setFixedSize(units.Size(dialogTemplate.cx, dialogTemplate.cy));
    if (first) first->setFocus();
}

QWidget* DialogItem(const QDialog& dialog, int nId) {
    for (QWidget* widget : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (ControlId(*widget) == nId) return widget;
    return nullptr;
}

QtDialogView::QtDialogView(QDialog& dialog) : m_dialog(dialog) {}

void QtDialogView::SetItemText(int nId, const std::string& strText) {
    QWidget* widget = DialogItem(m_dialog, nId);
    const QSignalBlocker blocker(widget);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(FromUtf8(strText));
    else if (auto* body = qobject_cast<QPlainTextEdit*>(widget))
        body->setPlainText(ToFieldLines(strText));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(FromUtf8(strText));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(FromUtf8(strText));
}

std::string QtDialogView::GetItemText(int nId) {
    QWidget* widget = DialogItem(m_dialog, nId);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToUtf8(edit->text());
    // The raw text keeps every character typed, its paragraph breaks (U+2029) included.
    if (auto* body = qobject_cast<QPlainTextEdit*>(widget))
        return ToUtf8(body->document()->toRawText());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ToUtf8(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget)) return ToUtf8(label->text());
    return {};
}

void QtDialogView::SetChecked(int nId, bool bChecked) {
    if (auto* button = qobject_cast<QAbstractButton*>(DialogItem(m_dialog, nId)))
        button->setChecked(bChecked);
}

bool QtDialogView::IsChecked(int nId) {
    auto* button = qobject_cast<QAbstractButton*>(DialogItem(m_dialog, nId));
    return button && button->isChecked();
}

void QtDialogView::EnableItem(int nId, bool bEnable) {
    if (QWidget* widget = DialogItem(m_dialog, nId)) widget->setEnabled(bEnable);
}

void QtDialogView::SetReadOnly(int nId, bool bReadOnly) {
    QWidget* widget = DialogItem(m_dialog, nId);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setReadOnly(bReadOnly);
    if (auto* body = qobject_cast<QPlainTextEdit*>(widget)) body->setReadOnly(bReadOnly);
}

void QtDialogView::FocusAndSelectAll(int nId) {
    QWidget* widget = DialogItem(m_dialog, nId);
    if (!widget) return;
    widget->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    if (auto* body = qobject_cast<QPlainTextEdit*>(widget)) body->selectAll();
}

void QtDialogView::ResetList(int nId, const std::vector<std::string>& rows) {
    auto* list = qobject_cast<QListWidget*>(DialogItem(m_dialog, nId));
    const QSignalBlocker blocker(list);
    list->clear();
    for (const std::string& strRow : rows) list->addItem(FromUtf8(strRow));
}

void QtDialogView::InsertListRow(int nId, int nIndex, const std::string& strRow) {
    auto* list = qobject_cast<QListWidget*>(DialogItem(m_dialog, nId));
    const QSignalBlocker blocker(list);
    list->insertItem(nIndex, FromUtf8(strRow));
}

void QtDialogView::SetListSelection(int nId, int nIndex) {
    auto* list = qobject_cast<QListWidget*>(DialogItem(m_dialog, nId));
    const QSignalBlocker blocker(list);
    if (nIndex < 0) list->clearSelection();
    list->setCurrentRow(nIndex);
}

int QtDialogView::GetListSelection(int nId) {
    auto* list = qobject_cast<QListWidget*>(DialogItem(m_dialog, nId));
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

bool QtDialogView::RunAddNoteDialog(AddNoteForm& form) {
    CAddNoteDlg dlg(form, &m_dialog);
    return dlg.exec() == QDialog::Accepted;
}
