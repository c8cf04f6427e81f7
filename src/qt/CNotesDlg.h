// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class CCountdownApp;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// A note as the Add a Note dialog returns it, in the store's bytes.
struct NewNote {
    std::string strSubject;
    std::string strBody;
};

// What the Notes dialog asks of the user outside its own window: questions,
// warnings and the Add a Note dialog. Tests answer in place of the user.
class INotesPrompts {
public:
    virtual ~INotesPrompts() = default;
    // A Yes/No question, No the default; true for Yes.
    virtual bool Confirm(QWidget* parent, const QString& strQuestion) = 0;
    virtual void Warn(QWidget* parent, const QString& strText) = 0;
    // Runs the Add a Note dialog; nothing when the user cancels it.
    virtual std::optional<NewNote> AskForNewNote(QWidget* parent) = 0;
};

// The program's message boxes (UserMessages) and the real Add a Note dialog.
class MessageBoxPrompts final : public INotesPrompts {
public:
    bool Confirm(QWidget* parent, const QString& strQuestion) override;
    void Warn(QWidget* parent, const QString& strText) override;
    std::optional<NewNote> AskForNewNote(QWidget* parent) override;
};

// The Notes dialog: lists the subjects in store order, shows
// the body of the selected note for editing, adds and deletes notes. It works
// on the application's store directly and saves notes.dat after every change.
class CNotesDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDD = 131;
    // Object names of the controls, after their template ids.
    static constexpr const char* IDOK = "IDOK";
    static constexpr const char* IDC_NOTE_LIST = "IDC_NOTE_LIST";
    static constexpr const char* IDC_NOTE_BODY = "IDC_NOTE_BODY";
    static constexpr const char* IDC_NOTE_ADD = "IDC_NOTE_ADD";
    static constexpr const char* IDC_NOTE_DELETE = "IDC_NOTE_DELETE";

    explicit CNotesDlg(CCountdownApp& app, QWidget* parent = nullptr);
    CNotesDlg(CCountdownApp& app, INotesPrompts& prompts, QWidget* parent = nullptr);
    ~CNotesDlg() override;

    // "Close Notes": a pending edit of the body is kept. Escape and the close
    // box reach reject() and drop it.
    void accept() override;

    // The end of the session or a request to terminate: a pending edit of the
    // body goes into its note and is saved, as "Close Notes" does, but without
    // asking or warning anyone; the dialog stays open.
    void SavePendingEdit();

    bool m_bBodyModified = false;  // the user changed the body field since it was filled
    int m_nCurNote = -1;           // the note the body field shows; -1 before any selection

private:
    void Init();
    void CreateControls();
    void OnSelectNote();
    void OnAddNote();
    void OnDeleteNote();
    void OnChangeNoteBody();

    void CopyPendingEdit();
    void ShowCurrentNote();
    void FillList();
    int SelectedRow() const;
    void SaveNotes();

    CCountdownApp& m_app;
    std::unique_ptr<INotesPrompts> m_pOwnPrompts;
    INotesPrompts* m_pPrompts;
    bool m_bFillingBody = false;
    bool m_bNobodyToAsk = false;  // set while the session ends: no message boxes

    QPushButton* m_pClose = nullptr;
    QListWidget* m_pList = nullptr;
    QPlainTextEdit* m_pBody = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
};
