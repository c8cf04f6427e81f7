// SPDX-License-Identifier: GPL-3.0-or-later
// What the Notes and Add a Note dialogs do themselves: built from their
// templates, they forward clicks, the selection and the user's typing to
// their forms. What the notes flow decides is NotesScreenTest's.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <filesystem>
#include <memory>

#include "UiTestSupport.h"
#include "app/AddNoteForm.h"
#include "app/CCountdownApp.h"
#include "app/NotesScreen.h"
#include "notes/NotesTestSupport.h"
#include "qt/CAddNoteDlg.h"
#include "qt/CNotesDlg.h"
#include "qt/DialogUnits.h"
#include "support/MemoryProfile.h"

namespace {

const char kLfOnlyFile[] = "zulu\nZ body\n.\nalpha\nA1\r\r\nA2\n.\nMike\n\n.\n";

}  // namespace

class NotesDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_pDir;
    MemoryProfile m_profile;
    std::unique_ptr<CCountdownApp> m_pApp;
    std::unique_ptr<CNotesDlg> m_pDlg;

    std::string NotesPath() const { return m_pApp->m_strNotesPath; }
    QListWidget* List() { return m_pDlg->findChild<QListWidget*>("IDC_NOTE_LIST"); }
    QPlainTextEdit* Body() { return m_pDlg->findChild<QPlainTextEdit*>("IDC_NOTE_BODY"); }
    QPushButton* Button(const char* pszName) { return m_pDlg->findChild<QPushButton*>(pszName); }

    void OpenWith(const char* pszFile) {
        WriteFileBytes(NotesPath(), pszFile);
        QVERIFY(m_pApp->LoadNotes().Ok());
        Open();
    }
    void Open() {
        m_pDlg = std::make_unique<CNotesDlg>(*m_pApp);
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

private slots:
    void init() {
        m_pDir = std::make_unique<TempDir>();
        m_pApp = std::make_unique<CCountdownApp>(m_profile);
        m_pApp->m_strNotesPath = m_pDir->File("notes.dat");
    }
    void cleanup() {
        m_pDlg.reset();
        m_pApp.reset();
        m_pDir.reset();
    }

    void opensWithTheListAndTheFocusOnClose() {
        OpenWith(kLfOnlyFile);
        QCOMPARE(Rows(), (QStringList{"zulu", "alpha", "Mike"}));
        QVERIFY(List()->selectedItems().isEmpty());
        QVERIFY(Body()->isReadOnly());
        QVERIFY(!Button("IDC_NOTE_DELETE")->isEnabled());
        QCOMPARE(m_pDlg->focusWidget(), Button("IDOK"));
    }

    // A click on a row reaches the screen, which fills the body without that
    // fill counting as an edit; typing does count, and "Close Notes" keeps it.
    void selectionAndTypingReachTheScreen() {
        OpenWith(kLfOnlyFile);
        QSignalSpy edits(Body(), &QPlainTextEdit::textChanged);
        ClickRow(1);
        QCOMPARE(TextOf(Body()), QString("A1\nA2"));
        QVERIFY(!Body()->isReadOnly());
        QCOMPARE(edits.count(), 0);
        Body()->moveCursor(QTextCursor::End);
        Type("\nA3");
        QVERIFY(edits.count() > 0);
        QTest::mouseClick(Button("IDOK"), Qt::LeftButton);
        QCOMPARE(m_pDlg->result(), int(QDialog::Accepted));
        QCOMPARE(m_pApp->m_notes.m_strBody[1], std::string("A1\r\nA2\r\nA3"));
    }

    void escapeDropsTheEdit() {
        OpenWith(kLfOnlyFile);
        ClickRow(0);
        Type("dropped");
        QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
        QCOMPARE(m_pDlg->result(), int(QDialog::Rejected));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(kLfOnlyFile));
    }

    // The main window's screen, handed in: the end of the session saves the
    // pending edit without a word, and once the dialog is gone nothing is left
    // pending.
    void aScreenHandedInOutlivesItsDialog() {
        WriteFileBytes(NotesPath(), kLfOnlyFile);
        QVERIFY(m_pApp->LoadNotes().Ok());
        MessageRecorder messages(/*bAnswerYes=*/true);
        QtUserMessages boxes(nullptr);
        NotesScreen screen(*m_pApp, boxes);
        m_pDlg = std::make_unique<CNotesDlg>(screen);
        m_pDlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_pDlg.get()));
        ClickRow(2);
        Type("late");
        m_pDlg->SavePendingEdit();
        QCOMPARE(m_pApp->m_notes.m_strBody[2], std::string("late"));
        Type(" and lost");
        m_pDlg.reset();
        screen.SavePendingEdit();
        QCOMPARE(m_pApp->m_notes.m_strBody[2], std::string("late"));
        QVERIFY(messages.Texts().isEmpty());
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
        QCOMPARE(m_pDlg->size(), du.Size(386, 225));
    }

    void tabOrderAndAccessibleNames() {
        OpenWith(kLfOnlyFile);
        ClickRow(0);  // Delete takes the focus only when there is a row to delete
        QStringList order;
        QWidget* widget = Button("IDOK");
        do {
            if (widget->parentWidget() == m_pDlg.get() && (widget->focusPolicy() & Qt::TabFocus)) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != Button("IDOK"));
        QCOMPARE(order, (QStringList{"IDOK", "IDC_NOTE_LIST", "IDC_NOTE_BODY", "IDC_NOTE_ADD",
                                     "IDC_NOTE_DELETE"}));
        QCOMPARE(List()->accessibleName(), QString("Notes"));
        QCOMPARE(Body()->accessibleName(), QString("Note body"));
        QVERIFY(Body()->tabChangesFocus());
    }

    void textsCrossAsUtf8() {
        OpenWith("Z\xC3\xBCrich\ncaf\xC3\xA9\n.\n");
        QCOMPARE(Rows(), QStringList{QString::fromUtf8("Z\xC3\xBCrich")});
        ClickRow(0);
        Body()->moveCursor(QTextCursor::End);
        Type(" ");
        QTest::sendKeyEvent(QTest::Click, Body(), Qt::Key_unknown,
                            QString::fromUtf8("\xE2\x9C\x88"), Qt::NoModifier);
        QTest::mouseClick(Button("IDOK"), Qt::LeftButton);
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("caf\xC3\xA9 \xE2\x9C\x88"));
    }

    // The real Add a Note dialog and the real question, answered through the
    // program's message hook.
    void realAddNoteDialogAndDeleteQuestion() {
        WriteFileBytes(NotesPath(), "");
        m_pDlg = std::make_unique<CNotesDlg>(*m_pApp);
        m_pDlg->show();
        OnNextModal([](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Brisaloo: Add a Note"));
            auto* subject = dialog.findChild<QLineEdit*>("IDC_ADDNOTE_SUBJECT");
            auto* body = dialog.findChild<QPlainTextEdit*>("IDC_ADDNOTE_BODY");
            QTest::keyClicks(subject, QString(80, QChar('s')));
            QTest::keyClicks(body, "line 1");
            QTest::keyClick(body, Qt::Key_Return);
            QTest::keyClicks(body, ".");
            dialog.findChild<QPushButton*>("IDOK")->click();
        });
        QTest::mouseClick(Button("IDC_NOTE_ADD"), Qt::LeftButton);
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 0);
        QCOMPARE(m_pApp->m_notes.m_strSubject[0], std::string(75, 's'));
        QCOMPARE(m_pApp->m_notes.m_strBody[0], std::string("line 1\r\n."));
        QCOMPARE(ReadFileBytes(NotesPath()), std::string(75, 's') + "\r\nline 1\r\r\n..\n.\r\n");

        MessageRecorder recorder(/*bAnswerYes=*/false);
        ClickRow(0);
        QTest::mouseClick(Button("IDC_NOTE_DELETE"), Qt::LeftButton);
        QCOMPARE(recorder.Texts(), QStringList{"Are you sure you want to delete this note?"});
        QCOMPARE(m_pApp->m_notes.m_nLastNote, 0);
    }

    void addNoteDialogTemplate() {
        AddNoteForm form;
        CAddNoteDlg dlg(form);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget*>("IDOK"));
        QStringList order;
        QWidget* widget = dlg.findChild<QWidget*>("IDOK");
        do {
            if (widget->parentWidget() == &dlg && (widget->focusPolicy() & Qt::TabFocus)) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != dlg.findChild<QWidget*>("IDOK"));
        QCOMPARE(order,
                 (QStringList{"IDOK", "IDCANCEL", "IDC_ADDNOTE_SUBJECT", "IDC_ADDNOTE_BODY"}));
        QCOMPARE(dlg.findChild<QWidget*>("IDC_ADDNOTE_SUBJECT")->accessibleName(),
                 QString("Subject:"));
        QCOMPARE(dlg.findChild<QWidget*>("IDC_ADDNOTE_BODY")->accessibleName(), QString("Body:"));
        const DialogUnits du(dlg.font());
        QCOMPARE(dlg.findChild<QWidget*>("IDC_ADDNOTE_BODY")->geometry(), du.Rect(15, 45, 265, 90));
        QCOMPARE(dlg.size(), du.Size(347, 141));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(NotesDlgTest)
#include "NotesDlgTest.moc"
