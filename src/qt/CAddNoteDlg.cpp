// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/CAddNoteDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "qt/DialogUnits.h"
#include "qt/FramedArea.h"

std::string FieldTextToNote(const QString& strText) {
    QString strNote = strText;
    strNote.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    strNote.replace(QChar(u'\r'), QChar(u'\n'));
    strNote.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    strNote.replace(QChar::LineSeparator, QChar(u'\n'));
    strNote.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const QByteArray bytes = strNote.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString NoteTextToField(const std::string& strNote) {
    QString strText = QString::fromUtf8(strNote.data(), static_cast<qsizetype>(strNote.size()));
    strText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    strText.replace(QChar(u'\r'), QChar(u'\n'));
    return strText;
}

CAddNoteDlg::CAddNoteDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Brisaloo: Add a Note"));
    setObjectName(QStringLiteral("IDD_ADDNOTE"));
    CreateControls();
    const DialogUnits units(font());
    setFixedSize(units.Size(347, 141));
    m_pAdd->setFocus();
}

// The template's controls in its order, which is also the tab order.
void CAddNoteDlg::CreateControls() {
    const DialogUnits units(font());

    m_pAdd = new QPushButton(QStringLiteral("Add"), this);
    m_pAdd->setObjectName(IDOK);
    m_pAdd->setDefault(true);
    units.Place(*m_pAdd, 290, 5, 50, 14);
    connect(m_pAdd, &QPushButton::clicked, this, &CAddNoteDlg::accept);

    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(IDCANCEL);
    units.Place(*m_pCancel, 290, 20, 50, 14);
    connect(m_pCancel, &QPushButton::clicked, this, &CAddNoteDlg::reject);

    m_pSubject = new QLineEdit(this);
    m_pSubject->setObjectName(IDC_ADDNOTE_SUBJECT);
    m_pSubject->setMaxLength(kMaxSubjectChars);
    m_pSubject->setAccessibleName(QStringLiteral("Subject:"));
    units.Place(*m_pSubject, 15, 15, 265, 14);

    auto* pSubjectLabel = new QLabel(QStringLiteral("Subject:"), this);
    pSubjectLabel->setBuddy(m_pSubject);
    units.Place(*pSubjectLabel, 15, 5, 33, 8);

    auto* pBodyLabel = new QLabel(QStringLiteral("Body:"), this);
    units.Place(*pBodyLabel, 15, 35, 23, 8);

    m_pBody = new FramedArea<QPlainTextEdit>(this);
    m_pBody->setObjectName(IDC_ADDNOTE_BODY);
    m_pBody->setAccessibleName(QStringLiteral("Body:"));
    m_pBody->setTabChangesFocus(true);
    m_pBody->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_pBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    units.Place(*m_pBody, 15, 45, 265, 90);
    pBodyLabel->setBuddy(m_pBody);
}

void CAddNoteDlg::accept() {
    // A subject is one line: a pasted line break becomes a space.
    QString strSubject = m_pSubject->text();
    strSubject.replace(QChar(u'\r'), QChar(u' ')).replace(QChar(u'\n'), QChar(u' '));
    const QByteArray subject = strSubject.left(kMaxSubjectChars).toUtf8();
    m_strNoteSubject.assign(subject.constData(), static_cast<std::size_t>(subject.size()));
    m_strNoteBody = FieldTextToNote(m_pBody->document()->toRawText());
    QDialog::accept();
}
