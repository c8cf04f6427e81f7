// SPDX-License-Identifier: GPL-3.0-or-later
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "UiTestSupport.h"
#include "app/CCountdownApp.h"
#include "notes/NotesTestSupport.h"
#include "support/MemoryProfile.h"
#include "qt/CAddNoteDlg.h"
#include "qt/CNotesDlg.h"
#include "qt/DialogUnits.h"

namespace {

// Answers in place of the user and keeps what the dialog asked and said.
class ScriptedPrompts final : public INotesPrompts {
public:
    bool Confirm(QWidget*, const QString& strQuestion) override {
        m_questions << strQuestion;
        return m_bAnswerYes;
    }
    void Warn(QWidget*, const QString& strText) override { m_warnings << strText; }
    std::optional<NewNote> AskForNewNote(QWidget*) override {
        ++m_nAddDialogs;
        return m_newNote;
    }

    bool m_bAnswerYes = false;
    std::optional<NewNote> m_newNote;
    QStringList m_questions;
    QStringList m_warnings;
    int m_nAddDialogs = 0;
};

// Three notes, not in sorted order, in an LF-only file: any save rewrites it
// with CR LF, so a test sees whether the dialog wrote.
const char kLfOnlyFile[] = "zulu\nZ body\n.\nalpha\nA1\r\r\nA2\n.\nMike\n\n.\n";
const NoteList kThreeNotes = {{"zulu", "Z body"}, {"alpha", "A1\r\nA2"}, {"Mike", ""}};

std::string FileOf(const NoteList& notes) {
    std::string bytes;
    for (const auto& [strSubject, strBody] : notes) {
        std::string strStored;
        for (char ch : strBody) strStored += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        bytes += strSubject + "\r\n" + strStored + "\r\n.\r\n";
    }
    return bytes;
}

}  // namespace

class NotesDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_pDir;
    MemoryProfile m_profile;
    std::unique_ptr<CCountdownApp> m_pApp;
    ScriptedPrompts m_prompts;
    std::unique_ptr<CNotesDlg> m_pDlg;

    std::string NotesPath() const { return m_pApp->m_strNotesPath; }
    QListWidget* List() { return m_pDlg->findChild<QListWidget*>(CNotesDlg::IDC_NOTE_LIST); }
    QPlainTextEdit* Body() { return m_pDlg->findChild<QPlainTextEdit*>(CNotesDlg::IDC_NOTE_BODY); }
    QPushButton* Button(const char* pszName) { return m_pDlg->findChild<QPushButton*>(pszName); }

    void OpenWith(const char* pszFile) {
        WriteFileBytes(NotesPath(), pszFile);
        QVERIFY(m_pApp->LoadNotes().Ok());
        Open();
    }
    void Open() {
        m_pDlg = std::make_unique<CNotesDlg>(*m_pApp, m_prompts);
        m_pDlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
    }
    // A click on a row, as the user makes it.
    void ClickRow(int nRow) {
        QListWidget* list = List();
        const QRect rect = list->visualItemRect(list->item(nRow));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Typing into the body field; "\n" is the Enter key.
    void Type(const QString& strText) {
        const QStringList lines = strText.split(QChar(u'\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(Body(), Qt::Key_Return);
            QTest::keyClicks(Body(), lines[i]);
        }
    }
    QStringList Rows() {
        QStringList rows;
        for (int i = 0; i < List()->count(); ++i) rows << List()->item(i)->text();
        return rows;
    }
    int SelectedRow() {
        const auto selected = List()->selectedItems();
        return selected.isEmpty() ? -1 : List()->row(selected.first());
    }

private slots:
    void init() {
        m_pDir = std::make_unique<TempDir>();
        m_pApp = std::make_unique<CCountdownApp>(m_profile);
        m_pApp->m_strNotesPath = m_pDir->File("notes.dat");
        m_prompts = ScriptedPrompts();
    }
    void cleanup() {
        m_pDlg.reset();
        m_pApp.reset();
        m_pDir.reset();
    }

    void emptyStoreOpensEmpty() {
        Open();
        QCOMPARE(List()->count(), 0);
        QCOMPARE(TextOf(Body()), QString());
        QVERIFY(!std::filesystem::exists(NotesPath()));
    }

    void listShowsStoreOrderWithNothingSelected() {
        OpenWith(kLfOnlyFile);
        QCOMPARE(Rows(), (QStringList{"zulu", "alpha", "Mike"}));
        QCOMPARE(SelectedRow(), -1);
        QCOMPARE(TextOf(Body()), QString());
        QCOMPARE(m_pDlg->focusWidget(), Button(CNotesDlg::IDOK));
    }

    void typingBeforeAnySelectionGoesNowhere() {
        OpenWith(kLfOnlyFile);
        QVERIFY(Body()->isReadOnly());
        Type("lost");
        QCOMPARE(TextOf(Body()), QString());
        ClickRow(0);
        QVERIFY(!Body()->isReadOnly());
        QTest::mouseClick(Button(CNotesDlg::IDOK), Qt::LeftButton);
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    void selectShowsTheBodyAndWritesNothing() {
        OpenWith(kLfOnlyFile);
        ClickRow(1);
        QCOMPARE(TextOf(Body()), QString("A1\nA2"));
        ClickRow(0);
        QCOMPARE(TextOf(Body()), QString("Z body"));
        QCOMPARE(m_pDlg->m_nCurNote, 0);
        QVERIFY(!m_pDlg->m_bBodyModified);
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    void editThenSelectSavesBeforeShowingTheNext() {
        OpenWith(kLfOnlyFile);
        ClickRow(1);
        Body()->moveCursor(QTextCursor::End);
        Type("\nA3");
        QVERIFY(m_pDlg->m_bBodyModified);
        ClickRow(2);
        QCOMPARE(m_pApp->m_notes.m_strBody[1], std::string("A1\r\nA2\r\nA3"));
        QCOMPARE(ReadFileBytes(NotesPath()),
                 FileOf({{"zulu", "Z body"}, {"alpha", "A1\r\nA2\r\nA3"}, {"Mike", ""}}));
        QCOMPARE(TextOf(Body()), QString());
        QVERIFY(!m_pDlg->m_bBodyModified);
    }

    void editThenCloseNotesKeepsTheEdit() {
        OpenWith(kLfOnlyFile);
        ClickRow(2);
        Type("new text");
        QTest::mouseClick(Button(CNotesDlg::IDOK), Qt::LeftButton);
        QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
        QCOMPARE(m_pApp->m_notes.m_strBody[2], std::string("new text"));
        QCOMPARE(ReadFileBytes(NotesPath()),
                 FileOf({{"zulu", "Z body"}, {"alpha", "A1\r\nA2"}, {"Mike", "new text"}}));
    }

    void editThenEscapeOrCloseBoxDropsTheEdit_data() {
        QTest::addColumn<bool>("bEscape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close box") << false;
    }
    void editThenEscapeOrCloseBoxDropsTheEdit() {
        QFETCH(bool, bEscape);
        OpenWith(kLfOnlyFile);
        ClickRow(0);
        Type("dropped");
        if (bEscape) {
            QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
        } else {
            m_pDlg->close();
        }
        QCOMPARE(m_pDlg->result(), int(QDialog::Rejected));
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("Z body"));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    void addAppendsTheLastRowAndSaves() {
        OpenWith(kLfOnlyFile);
        ClickRow(0);
        m_prompts.m_newNote = NewNote{"", ""};  // empty subject and body are accepted
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(Rows(), (QStringList{"zulu", "alpha", "Mike", ""}));
        QCOMPARE(SelectedRow(), 0);
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 3);
        NoteList expected = kThreeNotes;
        expected.emplace_back("", "");
        QCOMPARE(ReadFileBytes(NotesPath()), FileOf(expected));
    }

    void cancelledAddChangesNothing() {
        OpenWith(kLfOnlyFile);
        m_prompts.m_newNote.reset();
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(m_prompts.m_nAddDialogs, 1);
        QCOMPARE(List()->count(), 3);
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 2);
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    void addWhileAnEditIsPendingKeepsItForItsNote() {
        OpenWith(kLfOnlyFile);
        ClickRow(1);
        Body()->moveCursor(QTextCursor::End);
        Type("!");
        m_prompts.m_newNote = NewNote{"new", "N"};
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QVERIFY(m_pDlg->m_bBodyModified);
        QCOMPARE(TextOf(Body()), QString("A1\nA2!"));
        QCOMPARE(m_pApp->m_notes.m_strBody[1], std::string("A1\r\nA2"));
        QTest::mouseClick(Button(CNotesDlg::IDOK), Qt::LeftButton);
        QCOMPARE(ReadFileBytes(NotesPath()),
                 FileOf({{"zulu", "Z body"}, {"alpha", "A1\r\nA2!"}, {"Mike", ""}, {"new", "N"}}));
    }

    void addWhenFullTellsTheUserAndChangesNothing() {
        auto& notes = m_pApp->m_notes;
        for (int i = 0; i < kMaxNotes; ++i) notes.m_strSubject[i] = "n" + std::to_string(i);
        notes.m_nLastNote = kMaxNotes - 1;
        Open();
        m_prompts.m_newNote = NewNote{"one too many", ""};
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(m_prompts.m_nAddDialogs, 0);
        QCOMPARE(m_prompts.m_warnings, QStringList{QString::fromStdString(FullStoreMessage())});
        QCOMPARE(List()->count(), kMaxNotes);
        QVERIFY(!std::filesystem::exists(NotesPath()));
    }

    void deleteAnsweredNoChangesNothing() {
        OpenWith(kLfOnlyFile);
        ClickRow(1);
        m_prompts.m_bAnswerYes = false;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        QCOMPARE(m_prompts.m_questions, QStringList{"Are you sure you want to delete this note?"});
        QCOMPARE(Rows(), (QStringList{"zulu", "alpha", "Mike"}));
        QCOMPARE(SelectedRow(), 1);
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    // Which rows a delete leaves is DeleteNote's (NoteOperationsTest); here the
    // list, the selection and the body follow it.
    void deleteAnsweredYesCompactsAndSelectsTheFirst() {
        const int nRow = 1;
        const QStringList rows{"zulu", "Mike"};
        OpenWith(kLfOnlyFile);
        ClickRow(nRow);
        Type("edit of the deleted note");
        m_prompts.m_bAnswerYes = true;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        QCOMPARE(Rows(), rows);
        QCOMPARE(SelectedRow(), 0);
        QCOMPARE(m_pDlg->m_nCurNote, 0);
        QVERIFY(!m_pDlg->m_bBodyModified);
        NoteList expected = kThreeNotes;
        expected.erase(expected.begin() + nRow);
        QCOMPARE(TextOf(Body()), NoteTextToField(expected[0].second));
        QCOMPARE(ReadFileBytes(NotesPath()), FileOf(expected));
    }

    void deletingTheOnlyNoteLeavesAnEmptyFile() {
        OpenWith("only\nbody\n.\n");
        ClickRow(0);
        m_prompts.m_bAnswerYes = true;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        QCOMPARE(List()->count(), 0);
        QCOMPARE(TextOf(Body()), QString());
        QVERIFY(Body()->isReadOnly());
        QCOMPARE(m_pApp->m_notes.m_nLastNote, -1);
        QCOMPARE(ReadFileBytes(NotesPath()), std::string());
        // With nothing selected, Delete does nothing and the count stays at -1.
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        QCOMPARE(m_prompts.m_questions.size(), 1);
        QCOMPARE(m_pApp->m_notes.m_nLastNote, -1);
    }

    void deleteThenTypeThenSelectStoresTheTextInTheFirstNote() {
        OpenWith(kLfOnlyFile);
        ClickRow(1);
        m_prompts.m_bAnswerYes = true;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        Body()->moveCursor(QTextCursor::End);
        Type(" typed");
        ClickRow(1);
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("Z body typed"));
        QCOMPARE(TextOf(Body()), QString());
        QCOMPARE(ReadFileBytes(NotesPath()), FileOf({{"zulu", "Z body typed"}, {"Mike", ""}}));
    }

    void deleteWithoutASelectionDoesNothing() {
        OpenWith(kLfOnlyFile);
        m_prompts.m_bAnswerYes = true;
        QVERIFY(!Button(CNotesDlg::IDC_NOTE_DELETE)->isEnabled());
        QMetaObject::invokeMethod(Button(CNotesDlg::IDC_NOTE_DELETE), "clicked");
        QVERIFY(m_prompts.m_questions.isEmpty());
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 2);
    }

    void failedSaveIsShownAndTheNotesStayInMemory() {
        OpenWith(kLfOnlyFile);
        std::filesystem::permissions(NotesPath(), std::filesystem::perms(0444));
        m_prompts.m_newNote = NewNote{"kept", "in memory"};
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(m_prompts.m_warnings.size(), 1);
        QVERIFY(m_prompts.m_warnings[0].contains("could not be saved"));
        QVERIFY(m_prompts.m_warnings[0].contains("They are still open in Brisaloo."));
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 3);
        QCOMPARE(Rows().last(), QString("kept"));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    void unreadableFileIsReplacedOnlyWhenTheUserAgrees() {
        WriteFileBytes(NotesPath(), kLfOnlyFile);
        m_pApp->m_notes.m_bKeepUnreadableFile = true;  // as a failed load leaves it
        Open();
        m_prompts.m_newNote = NewNote{"first", "1"};
        m_prompts.m_bAnswerYes = false;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(m_prompts.m_questions.size(), 1);
        QVERIFY(m_prompts.m_questions[0].contains(QString::fromStdString(NotesPath())));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));

        m_prompts.m_bAnswerYes = true;
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(ReadFileBytes(NotesPath()), FileOf({{"first", "1"}, {"first", "1"}}));
    }

    void textsCrossAsUtf8() {
        OpenWith("Z\xC3\xBCrich\ncaf\xC3\xA9\n.\n");
        QCOMPARE(Rows(), QStringList{QString::fromUtf8("Z\xC3\xBCrich")});
        ClickRow(0);
        Body()->moveCursor(QTextCursor::End);
        Type(" ");
        QTest::sendKeyEvent(QTest::Click, Body(), Qt::Key_unknown,
                            QString::fromUtf8("\xE2\x9C\x88"), Qt::NoModifier);
        QTest::mouseClick(Button(CNotesDlg::IDOK), Qt::LeftButton);
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("caf\xC3\xA9 \xE2\x9C\x88"));
    }

    void controlsFollowTheTemplate_data() {
        QTest::addColumn<QString>("strName");
        QTest::addColumn<QString>("strText");
        QTest::addColumn<QRect>("units");
        QTest::newRow("Close Notes") << "IDOK"
                                     << "Close Notes" << QRect(325, 5, 50, 14);
        QTest::newRow("list") << "IDC_NOTE_LIST"
                              << "" << QRect(5, 5, 305, 45);
        QTest::newRow("body") << "IDC_NOTE_BODY"
                              << "" << QRect(5, 55, 375, 160);
        QTest::newRow("Add a Note") << "IDC_NOTE_ADD"
                                    << "Add a Note" << QRect(325, 20, 50, 14);
        QTest::newRow("Delete Note") << "IDC_NOTE_DELETE"
                                     << "Delete Note" << QRect(325, 35, 50, 14);
    }
    void controlsFollowTheTemplate() {
        QFETCH(QString, strName);
        QFETCH(QString, strText);
        QFETCH(QRect, units);
        Open();
        auto* control = m_pDlg->findChild<QWidget*>(strName);
        QVERIFY(control);
        const DialogUnits du(m_pDlg->font());
        QCOMPARE(control->geometry(), du.Rect(units.x(), units.y(), units.width(), units.height()));
        if (auto* button = qobject_cast<QPushButton*>(control)) QCOMPARE(button->text(), strText);
        QCOMPARE(m_pDlg->windowTitle(), QString("Brisaloo: Notes"));
    }

    void tabOrderAndAccessibleNames() {
        OpenWith(kLfOnlyFile);
        ClickRow(0);  // Delete takes the focus only when there is a row to delete
        QStringList order;
        QWidget* widget = Button(CNotesDlg::IDOK);
        do {
            if (widget->parentWidget() == m_pDlg.get() && (widget->focusPolicy() & Qt::TabFocus)) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != Button(CNotesDlg::IDOK));
        QCOMPARE(order, (QStringList{"IDOK", "IDC_NOTE_LIST", "IDC_NOTE_BODY", "IDC_NOTE_ADD",
                                     "IDC_NOTE_DELETE"}));
        QCOMPARE(List()->accessibleName(), QString("Notes"));
        QCOMPARE(Body()->accessibleName(), QString("Note body"));
        QVERIFY(Body()->tabChangesFocus());
    }

    // The real Add a Note dialog and the real question, answered through the
    // program's message hook.
    void realAddNoteDialogAndDeleteQuestion() {
        WriteFileBytes(NotesPath(), "");
        m_pDlg = std::make_unique<CNotesDlg>(*m_pApp);
        m_pDlg->show();
        OnNextModal([](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Brisaloo: Add a Note"));
            auto* subject = dialog.findChild<QLineEdit*>(CAddNoteDlg::IDC_ADDNOTE_SUBJECT);
            auto* body = dialog.findChild<QPlainTextEdit*>(CAddNoteDlg::IDC_ADDNOTE_BODY);
            QTest::keyClicks(subject, QString(80, QChar('s')));
            QTest::keyClicks(body, "line 1");
            QTest::keyClick(body, Qt::Key_Return);
            QTest::keyClicks(body, ".");
            dialog.findChild<QPushButton*>(CAddNoteDlg::IDOK)->click();
        });
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_ADD), Qt::LeftButton);
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 0);
        QCOMPARE(m_pApp->m_notes.m_strSubject[0], std::string(75, 's'));
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("line 1\r\n."));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(75, 's') + "\r\nline 1\r\r\n..\n.\r\n");

        MessageRecorder recorder(/*bAnswerYes=*/false);
        ClickRow(0);
        QTest::mouseClick(Button(CNotesDlg::IDC_NOTE_DELETE), Qt::LeftButton);
        QCOMPARE(recorder.Texts(), QStringList{"Are you sure you want to delete this note?"});
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 0);
    }

    void addNoteDialogTemplate() {
        CAddNoteDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget*>(CAddNoteDlg::IDOK));
        QStringList order;
        QWidget* widget = dlg.findChild<QWidget*>(CAddNoteDlg::IDOK);
        do {
            if (widget->parentWidget() == &dlg && (widget->focusPolicy() & Qt::TabFocus)) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != dlg.findChild<QWidget*>(CAddNoteDlg::IDOK));
        QCOMPARE(order,
                 (QStringList{"IDOK", "IDCANCEL", "IDC_ADDNOTE_SUBJECT", "IDC_ADDNOTE_BODY"}));
        QCOMPARE(dlg.findChild<QWidget*>(CAddNoteDlg::IDC_ADDNOTE_SUBJECT)->accessibleName(),
                 QString("Subject:"));
        QCOMPARE(dlg.findChild<QWidget*>(CAddNoteDlg::IDC_ADDNOTE_BODY)->accessibleName(),
                 QString("Body:"));
        const DialogUnits du(dlg.font());
        QCOMPARE(dlg.findChild<QWidget*>(CAddNoteDlg::IDC_ADDNOTE_BODY)->geometry(),
                 du.Rect(15, 45, 265, 90));
        QCOMPARE(dlg.size(), du.Size(347, 141));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(NotesDlgTest)
#include "NotesDlgTest.moc"
