// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

#include "MainWindowFixture.h"
#include "UiTestSupport.h"
#include "app/ArrivalAlert.h"
#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "app/IniFileProfile.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "qt/CCountdownDlg.h"
#include "qt/CTrayIcon.h"
#include "qt/TerminationSignals.h"
#include "support/CountingRandom.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"

namespace {

// 2027-01-01 00:00:00 UTC; tests run with TZ=UTC.
constexpr std::int64_t kArrival2027 = 1798761600;

struct Fixture : MainWindowFixture {
    // bInitialise false: the test prepares the folder or the settings and
    // initialises (or runs) the window itself.
    explicit Fixture(std::int64_t now, bool bArrival2027 = true, const char* pszTrivia = nullptr,
                     bool bInitialise = true)
        : MainWindowFixture(now, bArrival2027) {
        if (pszTrivia) WriteFileBytes(dir / "triv.dat", PackTrivia(pszTrivia));
        MakeWindow();
        dlg->Screen().SetTriviaRandom(std::make_unique<CountingRandom>());
        if (bInitialise) dlg->OnInitDialog();
    }
    QString Field(int nId) const { return TextOf(dlg->Control(nId)); }
};

// Runs the window as the program does, on a desktop taken to have a tray:
// it hides to the tray on the first turn of its loop, then inTheTray runs.
void RunHiddenInATray(Fixture& f, const std::function<void()>& inTheTray) {
    CTrayIcon::OverrideAvailability(true);
    QTimer::singleShot(0, f.dlg.get(), [&f, inTheTray] {
        f.dlg->Screen().OnHideMe();
        QTimer::singleShot(0, f.dlg.get(), inTheTray);
    });
    f.dlg->DoModal();
    CTrayIcon::OverrideAvailability(std::nullopt);
}

// Counts the times a widget is shown.
struct ShowCounter final : QObject {
    int nShows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        nShows += event->type() == QEvent::Show;
        return false;
    }
};

const char* const kThreeEntries = "1|GEO|Where?|Here|\n2|SCI|Why?|Because|\n3|HIS|No answer?\n";

}  // namespace

class CountdownDlgTest : public QObject {
    Q_OBJECT

private slots:
    void accessibleNamesForEveryField() {
        Fixture f(kArrival2027);
        const std::pair<int, const char*> names[] = {
            {IDC_DAYS, "Days"},
            {IDC_HOURS, "Hours"},
            {IDC_MINUTES, "Minutes"},
            {IDC_SECONDS, "Seconds"},
            {IDC_TOTAL_HOURS, "Total Hours"},
            {IDC_TOTAL_MINUTES, "Total Minutes"},
            {IDC_TOTAL_SECONDS, "Total Seconds"},
            {IDC_ARRIVAL, "Date and Time of Arrival:"},
            {IDC_TRIVIA_QUESTION, "Trivia question"},
            {IDC_TRIVIA_ANSWER, "Trivia answer"},
            {IDC_PAUSE_TEXT, "Paused"},
        };
        for (const auto& [nId, name] : names)
            QCOMPARE(f.dlg->Control(nId)->accessibleName(), QString::fromLatin1(name));
        const std::pair<int, const char*> buttons[] = {
            {IDOK, "Close"},
            {IDC_SETUP, "Setup"},
            {IDC_HIDE, "Hide Me"},
            {IDC_ABOUT, "About Brisaloo"},
            {IDC_COPY, "Copy to Clipboard"},
            {IDC_NOTES, "Notes"},
            {IDC_PAUSE, "Pause"},
        };
        for (const auto& [nId, text] : buttons)
            QCOMPARE(static_cast<QPushButton*>(f.dlg->Control(nId))->text(),
                     QString::fromLatin1(text));
        for (int nId : {int(IDC_DAYS), int(IDC_TOTAL_SECONDS), int(IDC_ARRIVAL)})
            QVERIFY(static_cast<QLineEdit*>(f.dlg->Control(nId))->isReadOnly());
    }

    // The buttons reach the screen, and what it decides reaches the widgets.
    void buttonsReachTheScreen() {
        Fixture f(kArrival2027 - 100, true, kThreeEntries);
        auto click = [&f](int nId) { static_cast<QPushButton*>(f.dlg->Control(nId))->click(); };
        click(IDC_PAUSE);
        QCOMPARE(f.Field(IDC_PAUSE_TEXT), QStringLiteral("***PAUSED***"));
        click(IDC_COPY);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0 Days 0 Hrs 1 Mins 40 Secs"));
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2028");
            setup.accept();
        });
        click(IDC_SETUP);
        QCOMPARE(f.app.m_settings.nYear, 2028);
        QCOMPARE(f.Field(IDC_ARRIVAL), QStringLiteral("Saturday January 01, 2028 00:00"));
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2030");
            setup.reject();
        });
        click(IDC_SETUP);
        QCOMPARE(f.app.m_settings.nYear, 2028);
        CTrayIcon::OverrideAvailability(true);
        emit f.dlg->Tray().Shown();
        f.dlg->show();
        click(IDC_HIDE);
        QVERIFY(!f.dlg->isVisible());
        CTrayIcon::OverrideAvailability(std::nullopt);
    }

    // The 500 ms timer and the tray icon's signals reach the screen.
    void timerAndTraySignalsReachTheScreen() {
        Fixture f(kArrival2027 - 100, true, kThreeEntries);
        QCOMPARE(f.dlg->TickTimer().interval(), 500);
        QVERIFY(f.dlg->TickTimer().isActive());
        QCOMPARE(f.Field(IDC_TRIVIA_QUESTION), QStringLiteral("Where?"));
        f.clock.Advance(1);
        QMetaObject::invokeMethod(const_cast<QTimer*>(&f.dlg->TickTimer()), "timeout");
        QCOMPARE(f.Field(IDC_SECONDS), QStringLiteral("39"));

        CTrayIcon::OverrideAvailability(true);
        emit f.dlg->Tray().Shown();
        f.dlg->show();
        f.dlg->Screen().OnHideMe();
        QVERIFY(!f.dlg->isVisible());
        emit f.dlg->Tray().DoubleClicked();
        QVERIFY(f.dlg->isVisible());
        f.dlg->Screen().OnHideMe();
        CTrayIcon::OverrideAvailability(false);
        emit f.dlg->Tray().Lost();
        QVERIFY(f.dlg->isVisible() && f.dlg->isMinimized());
        CTrayIcon::OverrideAvailability(std::nullopt);
        emit f.dlg->Tray().CommandChosen(TrayCommand::Exit);
        QVERIFY(!f.dlg->TickTimer().isActive());
    }

    // --hidden on a desktop with a tray: the window is never mapped, not even
    // for the first tick.
    void hiddenStartNeverMapsTheWindow() {
        Fixture f(kArrival2027 - 100, true, nullptr, false);
        f.dlg->SetStartHidden(true);
        ShowCounter shows;
        f.dlg->installEventFilter(&shows);
        CTrayIcon::OverrideAvailability(true);
        QTimer::singleShot(0, f.dlg.get(), [&f] {
            for (int nTick = 0; nTick < 3; ++nTick) f.dlg->Screen().OnTimer();
            f.dlg->Screen().OnTrayExit();
        });
        f.dlg->DoModal();
        CTrayIcon::OverrideAvailability(std::nullopt);
        QCOMPARE(shows.nShows, 0);
    }

    // Show Main Screen restores a minimised window.
    void showMainScreenRestoresAMinimisedWindow() {
        Fixture f(kArrival2027 - 100);
        f.dlg->showMinimized();
        f.dlg->OnShowMainScreen();
        QVERIFY(f.dlg->isVisible() && !f.dlg->isMinimized());
    }

    void trayMenuItemsInOrder() {
        Fixture f(kArrival2027);
        QStringList texts;
        for (QAction* action : f.dlg->TrayMenuActions()) {
            QVERIFY(!action->isSeparator());
            texts << action->text();
        }
        QCOMPARE(texts, (QStringList{"Show Main Screen", "Notes", "Setup", "Exit"}));
    }

    // A dialog leaves its run when it is hidden; going to the tray must not
    // end the program, and the fields written meanwhile show when it returns.
    void hidingToTheTrayKeepsTheProgramRunning() {
        Fixture f(kArrival2027 - 1000);
        bool bRanOnInTheTray = false;
        RunHiddenInATray(f, [&] {
            bRanOnInTheTray = true;
            f.clock.Advance(7);
            f.dlg->Screen().OnTimer();
            f.dlg->OnShowMainScreen();
            f.dlg->Screen().OnTrayExit();
        });
        QVERIFY(bRanOnInTheTray);
        QCOMPARE(f.Field(IDC_TOTAL_SECONDS), QStringLiteral("993"));
    }

    // Exit from the tray menu while the window is in the tray ends the run
    // (a hidden dialog's own hide would not).
    void exitFromTheTrayWhileHiddenEndsTheRun() {
        Fixture f(kArrival2027 - 1000);
        bool bStuck = false;
        // Only if the exit did not end the run: show the window and close it.
        QTimer::singleShot(2000, f.dlg.get(), [&] {
            bStuck = true;
            f.dlg->OnShowMainScreen();
            f.dlg->reject();
        });
        RunHiddenInATray(f, [&] { f.dlg->Screen().OnTrayExit(); });
        QVERIFY(!bStuck);
        QVERIFY(!f.dlg->Tray().IsAdded());
    }

    void everyWayOfEndingRemovesTheTrayIcon_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("tray exit") << "exit";
        QTest::newRow("close button") << "close";
        QTest::newRow("escape") << "escape";
        QTest::newRow("window close box") << "closebox";
    }
    void everyWayOfEndingRemovesTheTrayIcon() {
        QFETCH(QString, how);
        Fixture f(kArrival2027, false, nullptr, false);
        CCountdownDlg& dlg = *f.dlg;
        QTimer::singleShot(50, &dlg, [&] {
            QVERIFY(dlg.Tray().IsAdded());
            if (how == "exit") dlg.Screen().OnTrayExit();
            if (how == "close") static_cast<QPushButton*>(dlg.Control(IDOK))->click();
            if (how == "escape") QTest::keyClick(&dlg, Qt::Key_Escape);
            if (how == "closebox") dlg.close();
        });
        dlg.DoModal();
        QVERIFY(!dlg.Tray().IsAdded());
        QVERIFY(!dlg.isVisible());
    }

    // kill, Ctrl+C or a closed terminal while a note is being edited: the
    // edit is saved as "Close Notes" saves it, and the window ends as Exit ends it.
    void anEndFromOutsideSavesThePendingNoteEdit_data() {
        QTest::addColumn<int>("nSignal");
        QTest::addColumn<bool>("bAddNoteOpen");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGINT") << int(SIGINT) << false;
        QTest::newRow("SIGHUP over Add a Note") << int(SIGHUP) << true;
    }
    void anEndFromOutsideSavesThePendingNoteEdit() {
        QFETCH(int, nSignal);
        QFETCH(bool, bAddNoteOpen);
        Fixture f(kArrival2027, false, nullptr, false);
        WriteFileBytes(f.dir / "notes.dat", "Passport\r\nNumber X123\r\n.\r\n");
        TerminationSignals terminationSignals;
        QObject::connect(&terminationSignals, &TerminationSignals::TerminationRequested,
                         f.dlg.get(), &CCountdownDlg::OnEndSession);
        OnNextModal([&](QDialog& notes) {
            notes.findChild<QListWidget*>("IDC_NOTE_LIST")->setCurrentRow(0);
            notes.findChild<QPlainTextEdit*>("IDC_NOTE_BODY")->setPlainText("Number Y456");
            if (!bAddNoteOpen) {
                std::raise(nSignal);
                return;
            }
            OnNextModal([nSignal](QDialog&) { std::raise(nSignal); });
            notes.findChild<QPushButton*>("IDC_NOTE_ADD")->click();
        });
        QTimer::singleShot(0, f.dlg.get(),
                           [&f] { static_cast<QPushButton*>(f.dlg->Control(IDC_NOTES))->click(); });
        f.dlg->DoModal();
        QCOMPARE(ReadFileBytes(f.dir / "notes.dat"),
                 std::string("Passport\r\nNumber Y456\r\n.\r\n"));
        QVERIFY(!f.dlg->Tray().IsAdded());
        for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
    }

    // The XEmbed tray icon is a top-level window of its own: a nested dialog
    // must leave it taking clicks, or its menu (Show Main Screen, Exit) is out
    // of reach until the dialog closes.
    void aWindowOutsideTheDialogsTakesClicks_data() {
        QTest::addColumn<int>("nButton");
        QTest::addColumn<bool>("bAddNote");
        QTest::newRow("Setup") << int(IDC_SETUP) << false;
        QTest::newRow("Notes") << int(IDC_NOTES) << false;
        QTest::newRow("Add a Note") << int(IDC_NOTES) << true;
        QTest::newRow("About") << int(IDC_ABOUT) << false;
    }
    void aWindowOutsideTheDialogsTakesClicks() {
        QFETCH(int, nButton);
        QFETCH(bool, bAddNote);
        Fixture f(kArrival2027);
        QPushButton trayIcon(QStringLiteral("tray"));
        trayIcon.show();
        QVERIFY(QTest::qWaitForWindowExposed(&trayIcon));
        bool bClicked = false;
        connect(&trayIcon, &QPushButton::clicked, [&] { bClicked = true; });
        const auto clickTheIcon = [&](QDialog& dialog) {
            QTest::mouseClick(trayIcon.windowHandle(), Qt::LeftButton, {},
                              trayIcon.rect().center());
            dialog.reject();
        };
        OnNextModal([&](QDialog& dialog) {
            if (!bAddNote) return clickTheIcon(dialog);
            OnNextModal([&](QDialog& add) {
                clickTheIcon(add);
                dialog.reject();
            });
            dialog.findChild<QPushButton*>("IDC_NOTE_ADD")->click();
        });
        static_cast<QPushButton*>(f.dlg->Control(nButton))->click();
        QVERIFY(bClicked);
    }

    // The arrival passed while the program was closed, and the desktop has
    // no notification server and no tray yet: the notification waits, and
    // goes (and is stored as shown) once an XEmbed tray starts, however late.
    void arrivalWaitsForATrayThatStartsLate() {
        Fixture f(kArrival2027 + 60, true, nullptr, false);
        const std::string strState = f.app.m_strStatePath;
        const int nArmed = ArrivalAlert::ArrivalKey({2027, 1, 1, 0, 0});
        WriteFileBytes(strState, "ALERTARMED=" + std::to_string(nArmed) + "\n");
        f.MakeWindow();  // one that reads the state
        CTrayIcon::OverrideSystemTray(false);
        f.dlg->OnInitDialog();
        for (int nTick = 0; nTick < 200; ++nTick) f.dlg->Screen().OnTimer();  // every retry spent
        QCoreApplication::processEvents();  // the last add finds no tray
        QVERIFY(!f.dlg->Tray().Notifications().isEmpty());
        QCOMPARE(ArrivalAlert::ReadState(strState), std::optional<int>(nArmed));
        CTrayIcon::OverrideSystemTray(true);
        QTRY_VERIFY_WITH_TIMEOUT(f.dlg->Tray().IsAvailable(), 10000);
        CTrayIcon::OverrideSystemTray(std::nullopt);
        for (int nTick = 0; nTick < 20; ++nTick) f.dlg->Screen().OnTimer();
        QCOMPARE(ArrivalAlert::ReadState(strState), std::optional<int>(0));
    }

    void notesButtonOpensTheNotesDialog() {
        Fixture f(kArrival2027);
        CCountdownDlg& dlg = *f.dlg;
        QString strCaption;
        OnNextModal([&](QDialog& notes) {
            strCaption = notes.windowTitle();
            notes.reject();
        });
        static_cast<QPushButton*>(dlg.Control(IDC_NOTES))->click();
        QCOMPARE(strCaption, QStringLiteral("Brisaloo: Notes"));
    }

    // A whole run without Setup's OK: start, ticks across the arrival and its
    // alert, Pause, Copy, Notes, Hide Me, Setup then Cancel, Exit. The user's
    // profile keeps its bytes and its time, and is not created when absent.
    void sessionWithoutSetupOkLeavesTheProfileAlone_data() {
        QTest::addColumn<QByteArray>("bytes");  // null: no profile
        QTest::addColumn<int>("alerts");
        const int nArmed = ArrivalAlert::ArrivalKey({2027, 1, 1, 0, 0});
        QTest::newRow("hand-written, armed by an earlier release")
            << QByteArray(
                   "; my trip\n[SETTINGS]\nHIDESTART=0\nTRIVTIME=30\nCOLOUR=blue\n"
                   "ALERTARMED=" +
                   QByteArray::number(nArmed) +
                   "\n\n[DESTINATION]\nMINUTE=0\nHOUR=0\nDAY=1\nMONTH=1\nYEAR=2027\n")
            << 1;
        QTest::newRow("no profile") << QByteArray() << 0;
    }
    void sessionWithoutSetupOkLeavesTheProfileAlone() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, alerts);
        TempDir dir;
        const QString strIni = QString::fromStdString((dir / "Brisaloo.ini").string());
        const QDateTime timeOld = QDateTime::fromSecsSinceEpoch(1'000'000, Qt::UTC);
        if (!bytes.isNull()) {
            QFile file(strIni);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(timeOld, QFileDevice::FileModificationTime));
        }
        MessageRecorder messages;
        FixedClock clock(kArrival2027 - 3);
        IniFileProfile profile(strIni.toStdString());
        CCountdownApp app(profile);
        app.LoadPathsAndSettings({dir.Str() + "/brisaloo", std::nullopt, std::nullopt});
        CCountdownDlg dlg(app, clock);
        QTimer::singleShot(0, &dlg, [&] {
            for (int tick = 0; tick < 12; ++tick) {
                if (tick % 2) clock.Advance(1);
                dlg.Screen().OnTimer();
            }
            dlg.Screen().OnPause();
            static_cast<QPushButton*>(dlg.Control(IDC_COPY))->click();
            OnNextModal([](QDialog& notes) { notes.reject(); });
            static_cast<QPushButton*>(dlg.Control(IDC_NOTES))->click();
            dlg.Screen().OnHideMe();
            dlg.OnShowMainScreen();
            OnNextModal([](QDialog& setup) {
                setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2030");
                setup.reject();
            });
            dlg.Screen().OnSetup();
            dlg.Screen().OnTrayExit();
        });
        dlg.DoModal();
        QCOMPARE(dlg.Tray().Notifications().size(), alerts);
        if (bytes.isNull()) {
            QVERIFY(!QFileInfo::exists(strIni));
            return;
        }
        QFile file(strIni);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(QFileInfo(strIni).lastModified(), timeOld);
    }

    void setupFromTheTrayWhileHiddenKeepsTheProgramRunning() {
        QApplication::setQuitOnLastWindowClosed(false);
        Fixture f(kArrival2027, false, nullptr, false);
        CCountdownDlg& dlg = *f.dlg;
        bool bStillRunning = false;
        QTimer::singleShot(50, &dlg, [&] {
            dlg.Screen().OnHideMe();
            OnNextModal([](QDialog& setup) { setup.reject(); });
            dlg.Screen().OnSetup();
            QTimer::singleShot(50, &dlg, [&] {
                bStillRunning = dlg.result() == 0 && dlg.Tray().IsAdded();
                dlg.Screen().OnTrayExit();
            });
        });
        dlg.DoModal();
        QVERIFY(bStillRunning);
    }
};

QTEST_MAIN(CountdownDlgTest)
#include "CountdownDlgTest.moc"
