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
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"
#include "trivia/TriviaCodec.h"
#include "qt/CCountdownDlg.h"
#include "qt/CTrayIcon.h"
#include "app/DialogTemplates.h"
#include "app/IniFileProfile.h"
#include "qt/TerminationSignals.h"

namespace {

// 2027-01-01 00:00:00 UTC; tests run with TZ=UTC.
constexpr std::int64_t kArrival2027 = 1798761600;

// Draws 1, 2, 3, ... so that picks walk through the table in order.
class CountingRandom final : public ITriviaRandom {
public:
    void Seed(unsigned) override {}
    int Next() override { return ++m_nNext; }

private:
    int m_nNext = 0;
};

struct Fixture : MainWindowFixture {
    // bInitialise false: the test prepares the folder or the settings and
    // initialises (or runs) the window itself.
    explicit Fixture(std::int64_t now, bool bArrival2027 = true, const char* pszTrivia = nullptr,
                     bool bInitialise = true)
        : MainWindowFixture(now, bArrival2027) {
        if (pszTrivia) WriteFileBytes(dir / "triv.dat", PackTrivia(pszTrivia));
        MakeWindow();
        dlg->SetTriviaRandom(std::make_unique<CountingRandom>());
        if (bInitialise) dlg->OnInitDialog();
    }
    QString Field(int nId) const { return TextOf(dlg->Control(nId)); }
};

// Runs the window as the program does, on a desktop taken to have a tray:
// it hides to the tray on the first turn of its loop, then inTheTray runs.
void RunHiddenInATray(Fixture& f, const std::function<void()>& inTheTray) {
    CTrayIcon::OverrideAvailability(true);
    QTimer::singleShot(0, f.dlg.get(), [&f, inTheTray] {
        f.dlg->OnHideMe();
        QTimer::singleShot(0, f.dlg.get(), inTheTray);
    });
    f.dlg->DoModal();
    CTrayIcon::OverrideAvailability(std::nullopt);
}

const char* const kThreeEntries = "1|GEO|Where?|Here|\n2|SCI|Why?|Because|\n3|HIS|No answer?\n";

// What the whole window shows must be one span: the seven fields, the caption and the tip.
void ExpectShowsSpan(const Fixture& f, const CTimeSpan& span) {
    QCOMPARE(f.Field(IDC_DAYS).toLongLong(), span.GetDays());
    QCOMPARE(f.Field(IDC_HOURS).toLongLong(), span.GetHours());
    QCOMPARE(f.Field(IDC_MINUTES).toLongLong(), span.GetMinutes());
    QCOMPARE(f.Field(IDC_SECONDS).toLongLong(), span.GetSeconds());
    QCOMPARE(f.Field(IDC_TOTAL_HOURS).toLongLong(), span.GetTotalHours());
    QCOMPARE(f.Field(IDC_TOTAL_MINUTES).toLongLong(), span.GetTotalMinutes());
    QCOMPARE(f.Field(IDC_TOTAL_SECONDS).toLongLong(), span.GetTotalSeconds());
    QCOMPARE(f.dlg->windowTitle(), QString::fromStdString(FormatCaption(span)));
    QCOMPARE(f.dlg->Tray().Tip(), QString::fromStdString(FormatTrayTip(span)));
}

}  // namespace

class CountdownDlgTest : public QObject {
    Q_OBJECT

private slots:
    void emptyProfileCountsToJanuary2000() {
        Fixture f(kArrival2027, false);
        QCOMPARE(f.Field(IDC_ARRIVAL), QStringLiteral("Saturday January 01, 2000 00:01"));
        const CTimeSpan span = CTime(946684860) - CTime(kArrival2027);
        ExpectShowsSpan(f, span);
        QVERIFY(f.Field(IDC_DAYS).startsWith('-'));
        QVERIFY(f.dlg->windowTitle().startsWith(QStringLiteral("Brisaloo (-")));
        QVERIFY(f.dlg->Tray().IsAdded());
    }

    void ticksFollowTheTrueSpan_data() {
        QTest::addColumn<qint64>("start");  // seconds before the arrival
        QTest::addColumn<int>("ticks");
        QTest::addColumn<qint64>("jumpAtTick");
        QTest::addColumn<qint64>("jumpBy");
        QTest::newRow("minute rollover") << qint64(65) << 20 << qint64(-1) << qint64(0);
        QTest::newRow("hour rollover") << qint64(3605) << 20 << qint64(-1) << qint64(0);
        QTest::newRow("day rollover") << qint64(86405) << 20 << qint64(-1) << qint64(0);
        QTest::newRow("across the arrival") << qint64(5) << 300 << qint64(-1) << qint64(0);
        QTest::newRow("clock jumps three hours") << qint64(86400 * 2) << 10 << qint64(4)
                                                << qint64(3 * 3600 + 17);
        QTest::newRow("jump past the arrival") << qint64(600) << 10 << qint64(3) << qint64(4000);
    }
    void ticksFollowTheTrueSpan() {
        QFETCH(qint64, start);
        QFETCH(int, ticks);
        QFETCH(qint64, jumpAtTick);
        QFETCH(qint64, jumpBy);
        Fixture f(kArrival2027 - start);
        for (int tick = 1; tick <= ticks; ++tick) {
            if (tick % 2 == 0) f.clock.Advance(1);
            if (tick == jumpAtTick) f.clock.Advance(jumpBy);
            f.dlg->OnTimer();
            ExpectShowsSpan(f, CTime(kArrival2027) - CTime(f.clock.Now()));
        }
    }

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
            {IDOK, "Close"},         {IDC_SETUP, "Setup"},
            {IDC_HIDE, "Hide Me"},   {IDC_ABOUT, "About Brisaloo"},
            {IDC_COPY, "Copy to Clipboard"}, {IDC_NOTES, "Notes"},
            {IDC_PAUSE, "Pause"},
        };
        for (const auto& [nId, text] : buttons)
            QCOMPARE(static_cast<QPushButton*>(f.dlg->Control(nId))->text(),
                     QString::fromLatin1(text));
        for (int nId : {int(IDC_DAYS), int(IDC_TOTAL_SECONDS), int(IDC_ARRIVAL)})
            QVERIFY(static_cast<QLineEdit*>(f.dlg->Control(nId))->isReadOnly());
    }

    void pauseTogglesTheBanner() {
        Fixture f(kArrival2027 - 100);
        QCOMPARE(f.Field(IDC_PAUSE_TEXT), QString());
        f.dlg->OnPause();
        QCOMPARE(f.Field(IDC_PAUSE_TEXT), QStringLiteral("***PAUSED***"));
        f.clock.Advance(1);
        f.dlg->OnTimer();
        QCOMPARE(f.Field(IDC_SECONDS), QStringLiteral("39"));  // the countdown runs on
        f.dlg->OnPause();
        QCOMPARE(f.Field(IDC_PAUSE_TEXT), QString());
    }

    void clipboardHoldsTheCountdownOfTheClick_data() {
        QTest::addColumn<qint64>("span");
        QTest::addColumn<QString>("text");
        QTest::newRow("90061") << qint64(90061) << "1 Days 1 Hrs 1 Mins 1 Secs";
        QTest::newRow("0") << qint64(0) << "0 Days 0 Hrs 0 Mins 0 Secs";
        QTest::newRow("-61") << qint64(-61) << "0 Days 0 Hrs -1 Mins -1 Secs";
    }
    void clipboardHoldsTheCountdownOfTheClick() {
        QFETCH(qint64, span);
        QFETCH(QString, text);
        Fixture f(kArrival2027 - 5);
        f.clock.Set(kArrival2027 - span);  // the fields are stale; the copy is not
        f.dlg->OnCopyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(), text);
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

    void hideMeAndShowMainScreen() {
        Fixture f(kArrival2027);
        f.dlg->show();
        f.dlg->OnHideMe();
        if (f.dlg->Tray().IsAvailable())
            QVERIFY(!f.dlg->isVisible());
        else
            QVERIFY(f.dlg->isMinimized());  // no tray: the window must stay reachable
        f.dlg->OnShowMainScreen();
        QVERIFY(f.dlg->isVisible());
    }

    // A dialog leaves its run when it is hidden; going to the tray must not
    // end the program, and the fields written meanwhile show when it returns.
    void hidingToTheTrayKeepsTheProgramRunning() {
        Fixture f(kArrival2027 - 1000);
        bool bRanOnInTheTray = false;
        RunHiddenInATray(f, [&] {
            bRanOnInTheTray = true;
            f.clock.Advance(7);
            f.dlg->OnTimer();
            f.dlg->OnShowMainScreen();
            f.dlg->OnTrayExit();
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
        RunHiddenInATray(f, [&] { f.dlg->OnTrayExit(); });
        QVERIFY(!bStuck);
        QVERIFY(!f.dlg->Tray().IsAdded());
    }

    void hideOnStartHidesOnTheFirstTickOnly() {
        Fixture f(kArrival2027, false, nullptr, false);
        CCountdownDlg& dlg = *f.dlg;
        f.app.m_settings.bHideStart = true;
        dlg.OnInitDialog();
        dlg.show();
        dlg.OnTimer();
        QVERIFY(!dlg.isVisible() || dlg.isMinimized());
        QVERIFY(!dlg.m_bHidePending);
        dlg.OnShowMainScreen();
        dlg.showNormal();
        dlg.OnTimer();
        QVERIFY(dlg.isVisible() && !dlg.isMinimized());
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
            if (how == "exit") dlg.OnTrayExit();
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

    void setupOkStoresEverywhereAndRedraws() {
        Fixture f(kArrival2027 - 90061, true, kThreeEntries);
        f.dlg->OnPause();
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2028");
            setup.findChild<QLineEdit*>("IDC_SETUP_TRIVTIME")->setText("45");
            setup.findChild<QCheckBox*>("IDC_SETUP_HIDESTART")->setChecked(true);
            setup.accept();
        });
        f.dlg->OnSetup();
        QCOMPARE(f.app.m_settings.nYear, 2028);
        QCOMPARE(f.app.m_settings.nTrivTime, 45);
        QVERIFY(f.app.m_settings.bHideStart);
        QCOMPARE(f.profile.Writes(),
                 (std::vector<std::string>{"DESTINATION/YEAR=2028", "DESTINATION/MONTH=1",
                                           "DESTINATION/DAY=1", "DESTINATION/HOUR=0",
                                           "DESTINATION/MINUTE=0", "SETTINGS/TRIVTIME=45",
                                           "SETTINGS/HIDESTART=1"}));
        QCOMPARE(f.Field(IDC_ARRIVAL), QStringLiteral("Saturday January 01, 2028 00:00"));
        ExpectShowsSpan(f, CTime(1830297600) - CTime(f.clock.Now()));
        QVERIFY(f.messages.Texts().isEmpty());
        QCOMPARE(f.dlg->Rotation().Interval(), 45);
    }

    void missingTriviaIsReportedAndTheCountdownRunsOn() {
        Fixture f(kArrival2027 - 10);
        QCOMPARE(f.messages.Texts().size(), 1);
        QVERIFY(f.messages.Texts().first().startsWith(QStringLiteral("Unable To Open File\n")));
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_QUESTION)), QStringLiteral("No trivia loaded."));
        for (int tick = 0; tick < 200; ++tick) f.dlg->OnTimer();  // returns, no hang
        f.clock.Advance(1);
        f.dlg->OnTimer();
        QCOMPARE(f.Field(IDC_SECONDS), QStringLiteral("9"));
    }

    void triviaRevealsHalfWayAndPicksEachInterval() {
        Fixture f(kArrival2027 - 1000, true, kThreeEntries);
        QVERIFY(f.messages.Texts().isEmpty());
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_QUESTION)), QStringLiteral("Where?"));
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_ANSWER)), QString());
        // Interval 30 s: the 30th tick reveals, the 60th picks the next entry;
        // in 30 s only at two ticks a second.
        QCOMPARE(f.dlg->TickTimer().interval(), 500);
        QVERIFY(f.dlg->TickTimer().isActive());
        for (int tick = 1; tick < 30; ++tick) f.dlg->OnTimer();
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_ANSWER)), QString());
        f.dlg->OnTimer();
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_ANSWER)), QStringLiteral("Here"));
        for (int tick = 31; tick <= 60; ++tick) f.dlg->OnTimer();
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_QUESTION)), QStringLiteral("Why?"));
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_ANSWER)), QString());
    }

    void pauseFreezesTheTriviaButNotTheCountdown() {
        Fixture f(kArrival2027 - 1000, true, kThreeEntries);
        f.dlg->OnPause();
        QVERIFY(f.dlg->m_bPaused);
        for (int tick = 1; tick <= 60; ++tick) f.dlg->OnTimer();
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_QUESTION)), QStringLiteral("Where?"));
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_ANSWER)), QString());
        QCOMPARE(f.dlg->Rotation().TriviaTick(), 1);  // the counter ran on and restarted
        f.dlg->OnPause();
        for (int tick = 1; tick <= 60; ++tick) f.dlg->OnTimer();
        QCOMPARE(TextOf(f.dlg->Control(IDC_TRIVIA_QUESTION)), QStringLiteral("Why?"));
    }

    void notesLoadAtStartAndOpenFromTheButton() {
        Fixture f(kArrival2027, false, nullptr, false);
        WriteFileBytes(f.dir / "notes.dat", std::string("X\r\nY\r\r\nZ\r\n.\r\n", 13));
        CCountdownDlg& dlg = *f.dlg;
        dlg.OnInitDialog();
        QCOMPARE(f.app.m_notes.m_nLastNote, 0);
        QCOMPARE(f.app.m_notes.m_strBody[0], std::string("Y\r\nZ"));
        QString strCaption;
        OnNextModal([&](QDialog& notes) {
            strCaption = notes.windowTitle();
            notes.reject();
        });
        static_cast<QPushButton*>(dlg.Control(IDC_NOTES))->click();
        QCOMPARE(strCaption, QStringLiteral("Brisaloo: Notes"));
    }

    void unreadableNotesAreReportedAtStart() {
        Fixture f(kArrival2027, false, nullptr, false);
        std::filesystem::create_directory(f.dir / "notes.dat");  // exists, cannot be read
        CCountdownDlg& dlg = *f.dlg;
        dlg.OnInitDialog();
        QCOMPARE(f.app.m_notes.m_nLastNote, -1);
        QVERIFY(f.messages.Texts().size() >= 1);
        QVERIFY(f.messages.Texts().first().contains(QStringLiteral("notes.dat")));
    }

    void arrivalAlertShowsOnceWhenTheCountdownReachesZero() {
        Fixture f(kArrival2027 - 3);
        for (int tick = 0; tick < 20; ++tick) {
            if (tick % 2) f.clock.Advance(1);
            f.dlg->OnTimer();
        }
        const QStringList expected{QString::fromStdString(f.dlg->m_strArrival)};
        QVERIFY(!expected.first().isEmpty());
        QCOMPARE(f.dlg->Tray().Notifications(), expected);
        // A restart after the arrival does not repeat it.
        CCountdownDlg again(f.app, f.clock);
        again.OnInitDialog();
        for (int tick = 0; tick < 4; ++tick) again.OnTimer();
        QVERIFY(again.Tray().Notifications().isEmpty());
    }

    void arrivalAlertAfterAWakeAndAfterSetupRearms() {
        Fixture f(kArrival2027 - 7200, true, kThreeEntries);
        f.dlg->OnTimer();
        f.clock.Advance(3 * 3600);  // asleep across the arrival
        f.dlg->OnTimer();
        QCOMPARE(f.dlg->Tray().Notifications().size(), 1);
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2028");
            setup.accept();
        });
        f.dlg->OnSetup();
        f.dlg->OnTimer();
        f.clock.Set(1830297600 + 1);  // 2028-01-01 00:00:01
        f.dlg->OnTimer();
        QCOMPARE(f.dlg->Tray().Notifications().size(), 2);
    }

    void freshProfileInThePastDoesNotAlert() {
        Fixture f(kArrival2027, false);
        for (int tick = 0; tick < 4; ++tick) f.dlg->OnTimer();
        QVERIFY(f.dlg->Tray().Notifications().isEmpty());
    }

    void hiddenOptionHidesOnTheFirstTick() {
        Fixture f(kArrival2027, false, nullptr, false);
        CCountdownDlg& dlg = *f.dlg;
        dlg.SetStartHidden(true);
        dlg.OnInitDialog();
        dlg.show();
        dlg.OnTimer();
        QVERIFY(!dlg.isVisible() || dlg.isMinimized());
        QVERIFY(!f.app.m_settings.bHideStart);  // the setting itself is untouched
    }

    void setupCancelChangesNothing() {
        Fixture f(kArrival2027 - 10);
        const QString strTitle = f.dlg->windowTitle();
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2030");
            setup.reject();
        });
        f.dlg->OnSetup();
        QCOMPARE(f.app.m_settings.nYear, 2027);
        QVERIFY(f.profile.Writes().empty());
        QCOMPARE(f.dlg->windowTitle(), strTitle);
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
                dlg.OnTimer();
            }
            dlg.OnPause();
            static_cast<QPushButton*>(dlg.Control(IDC_COPY))->click();
            OnNextModal([](QDialog& notes) { notes.reject(); });
            static_cast<QPushButton*>(dlg.Control(IDC_NOTES))->click();
            dlg.OnHideMe();
            dlg.OnShowMainScreen();
            OnNextModal([](QDialog& setup) {
                setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2030");
                setup.reject();
            });
            dlg.OnSetup();
            dlg.OnTrayExit();
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

    void setupReportsAProfileThatCannotBeWritten() {
        Fixture f(kArrival2027 - 10, true, kThreeEntries);
        f.profile.FailWrites(true);
        OnNextModal([](QDialog& setup) {
            setup.findChild<QLineEdit*>("IDC_SETUP_YEAR")->setText("2030");
            setup.accept();
        });
        f.dlg->OnSetup();
        QCOMPARE(f.messages.Texts().size(), 1);
        QCOMPARE(f.app.m_settings.nYear, 2030);  // the settings still apply for this run
        QCOMPARE(f.Field(IDC_ARRIVAL), QStringLiteral("Tuesday January 01, 2030 00:00"));
    }

    void setupFromTheTrayWhileHiddenKeepsTheProgramRunning() {
        QApplication::setQuitOnLastWindowClosed(false);
        Fixture f(kArrival2027, false, nullptr, false);
        CCountdownDlg& dlg = *f.dlg;
        bool bStillRunning = false;
        QTimer::singleShot(50, &dlg, [&] {
            dlg.OnHideMe();
            OnNextModal([](QDialog& setup) { setup.reject(); });
            dlg.OnSetup();
            QTimer::singleShot(50, &dlg, [&] {
                bStillRunning = dlg.result() == 0 && dlg.Tray().IsAdded();
                dlg.OnTrayExit();
            });
        });
        dlg.DoModal();
        QVERIFY(bStillRunning);
    }
};

QTEST_MAIN(CountdownDlgTest)
#include "CountdownDlgTest.moc"
