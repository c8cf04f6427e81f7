// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The Add a Note dialog: asks for the subject and body of a new
// note. It never touches the store; whoever runs it stores what "Add" leaves in
// m_strNoteSubject and m_strNoteBody.
class CAddNoteDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDD = 132;
    static constexpr int kMaxSubjectChars = 75;
    // Object names of the controls, after their template ids.
    static constexpr const char* IDOK = "IDOK";
    static constexpr const char* IDCANCEL = "IDCANCEL";
    static constexpr const char* IDC_ADDNOTE_SUBJECT = "IDC_ADDNOTE_SUBJECT";
    static constexpr const char* IDC_ADDNOTE_BODY = "IDC_ADDNOTE_BODY";

    explicit CAddNoteDlg(QWidget* parent = nullptr);

    // Filled by "Add": UTF-8 bytes; the body separates its lines with CR LF.
    std::string m_strNoteBody;
    std::string m_strNoteSubject;

    void accept() override;

private:
    void CreateControls();

    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pCancel = nullptr;
    QLineEdit* m_pSubject = nullptr;
    QPlainTextEdit* m_pBody = nullptr;
};

// Text of a multi-line field as the store keeps it: UTF-8 with CR LF between
// lines. And back: CR LF, a lone LF or a lone CR each start a new line.
std::string FieldTextToNote(const QString& strText);
QString NoteTextToField(const std::string& strNote);
