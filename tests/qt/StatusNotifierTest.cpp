// SPDX-License-Identifier: GPL-3.0-or-later
// The tray on a StatusNotifier desktop, against a test panel on a private
// session bus (the test runs under dbus-run-session).
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "MainWindowFixture.h"
#include "TestPanel.h"
#include "UiTestSupport.h"
#include "app/CCountdownApp.h"
#include "app/DialogTemplates.h"
#include "countdown/Clock.h"
#include "countdown/CountdownTexts.h"
#include "qt/CCountdownDlg.h"
#include "qt/CTrayIcon.h"
#include "support/MemoryProfile.h"
#include "support/TempDir.h"

namespace {

constexpr std::int64_t kArrival2027 = 1798761600;  // 2027-01-01 00:00:00 UTC

struct Fixture : MainWindowFixture {
    explicit Fixture(std::int64_t now, const char* pszNotes = nullptr) : MainWindowFixture(now) {
        if (pszNotes) WriteFileBytes(dir / "notes.dat", pszNotes);
        MakeWindow();
        dlg->OnInitDialog();
    }
};

// The one item the panel holds, once it has registered and the tray knows the host.
QString RegisteredItem(TestPanel& panel, const Fixture& f) {
    // The tray counts as there only once the panel's host answered.
    if (!QTest::qWaitFor([&] { return panel.Items().size() == 1 && f.dlg->Tray().IsAvailable(); }))
        return {};
    return panel.Items().first();
}

}  // namespace

class StatusNotifierTest : public QObject {
    Q_OBJECT
private slots:
    void itemShowsTheTipAndExportsTheMenu() {
        TestPanel panel;
        Fixture f(kArrival2027 - (3 * 86400 + 4 * 3600 + 5 * 60));
        const QString strItem = RegisteredItem(panel, f);
        QVERIFY(!strItem.isEmpty());
        QCOMPARE(panel.ToolTipTitle(strItem), QStringLiteral("Brisaloo: D:3 H:4 M:5"));
        QCOMPARE(panel.ItemProperty(strItem, "ItemIsMenu").toBool(), true);
        QCOMPARE(panel.ItemProperty(strItem, "IconName").toString(), QStringLiteral("brisaloo"));
        QCOMPARE(panel.MenuLabels(strItem),
                 (QStringList{"Show Main Screen", "Notes", "Setup", "Exit"}));

        // A host reads the tip again only when told it changed.
        const int nToldBefore = panel.NewToolTips();
        f.clock.Advance(3600);
        f.dlg->Screen().OnTimer();
        QTRY_VERIFY(panel.NewToolTips() > nToldBefore);
        QCOMPARE(panel.ToolTipTitle(strItem), QStringLiteral("Brisaloo: D:3 H:3 M:5"));
    }

    // The panel's menu runs the window's handlers, with the window hidden in the tray.
    void menuShowsTheWindowAndExitEndsTheRun() {
        TestPanel panel;
        Fixture f(kArrival2027 - 1000);
        const QString strItem = RegisteredItem(panel, f);
        QVERIFY(!strItem.isEmpty());
        bool bShown = false;
        QTimer::singleShot(0, f.dlg.get(), [&] {
            f.dlg->Screen().OnHideMe();
            panel.Click(strItem, "Show Main Screen");
            bShown = QTest::qWaitFor([&] { return f.dlg->isVisible(); });
            f.dlg->Screen().OnHideMe();
            panel.Click(strItem, "Exit");
        });
        // Only if the exit did not end the run.
        QTimer::singleShot(5000, f.dlg.get(), [&] { f.dlg->reject(); });
        QCOMPARE(f.dlg->DoModal(), int(QDialog::Accepted));
        QVERIFY(bShown);
        QTRY_VERIFY(!panel.IsOnBus(strItem));
    }

    // The panel's Notes while a note is being edited brings the open dialog
    // forward; the panel's Exit then saves the edit and ends the run.
    void panelNotesThenExitWhileANoteIsEdited() {
        TestPanel panel;
        Fixture f(kArrival2027 - 1000, "Passport\r\nNumber X123\r\n.\r\n");
        const QString strItem = RegisteredItem(panel, f);
        QVERIFY(!strItem.isEmpty());
        QPointer<QWidget> first;
        int nSecondNotes = 0;
        // A second Notes dialog is counted and closed, so that the test ends.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!first || !modal || modal == first || modal == f.dlg.get()) return;
            ++nSecondNotes;
            static_cast<QDialog*>(modal)->reject();
        });
        watch.start(10);
        OnNextModal([&](QDialog& notes) {
            first = &notes;
            notes.findChild<QListWidget*>("IDC_NOTE_LIST")->setCurrentRow(0);
            notes.findChild<QPlainTextEdit*>("IDC_NOTE_BODY")->setPlainText("Number Y456");
            panel.Click(strItem, "Notes");
            QTimer::singleShot(300, &notes, [&panel, strItem] { panel.Click(strItem, "Exit"); });
        });
        QTimer::singleShot(0, f.dlg.get(),
                           [&f] { static_cast<QPushButton*>(f.dlg->Control(IDC_NOTES))->click(); });
        // Only if the exit did not end the run: every dialog is closed.
        bool bStuck = false;
        QTimer::singleShot(5000, f.dlg.get(), [&] {
            bStuck = true;
            while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
            f.dlg->reject();
        });
        f.dlg->DoModal();
        QVERIFY(!bStuck);
        QCOMPARE(nSecondNotes, 0);
        QCOMPARE(ReadFileBytes(f.dir / "notes.dat"),
                 std::string("Passport\r\nNumber Y456\r\n.\r\n"));
        for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
        QTRY_VERIFY(!panel.IsOnBus(strItem));
    }

    void arrivalNotifiesOnceThroughTheServer_data() {
        QTest::addColumn<bool>("bWithTray");
        QTest::newRow("StatusNotifier panel") << true;
        QTest::newRow("no tray") << false;
    }
    void arrivalNotifiesOnceThroughTheServer() {
        QFETCH(bool, bWithTray);
        TestPanel panel(bWithTray);
        Fixture f(kArrival2027 - 2);
        for (int nTick = 0; nTick < 8; ++nTick) {
            if (nTick % 2) f.clock.Advance(1);
            f.dlg->Screen().OnTimer();
        }
        QTRY_COMPARE(panel.Notifications().size(), 1);
        const PanelNotification& sent = panel.Notifications().first();
        QCOMPARE(sent.strApp, QStringLiteral("Brisaloo"));
        QCOMPARE(sent.strIcon, QStringLiteral("brisaloo"));
        QCOMPARE(sent.strBody, f.dlg->Tray().Notifications().value(0));

        CCountdownDlg restarted(f.app, f.clock);
        restarted.OnInitDialog();
        for (int nTick = 0; nTick < 4; ++nTick) restarted.Screen().OnTimer();
        panel.Ping(QDBusConnection::sessionBus().baseService());
        QCOMPARE(panel.Notifications().size(), 1);
    }

    // A panel restart: the hidden window is not stranded meanwhile, and the
    // item is back in the panel when its watcher returns.
    void watcherThatReturnsGetsTheItemAgain() {
        TestPanel panel;
        Fixture f(kArrival2027 - 1000);
        const QString strItem = RegisteredItem(panel, f);
        QVERIFY(!strItem.isEmpty());
        f.dlg->show();
        f.dlg->Screen().OnHideMe();
        QVERIFY(!f.dlg->isVisible());
        panel.StopWatcher();
        QTRY_VERIFY(f.dlg->isVisible());
        QVERIFY(f.dlg->isMinimized());
        panel.StartWatcher();
        QTRY_COMPARE(panel.Items(), QStringList{strItem});
    }
};

QTEST_MAIN(StatusNotifierTest)
#include "StatusNotifierTest.moc"
