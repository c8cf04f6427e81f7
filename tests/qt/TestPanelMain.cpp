// SPDX-License-Identifier: GPL-3.0-or-later
// brisaloo_test_panel PROGRAM [ARGS...]: plays a StatusNotifier panel on the
// session bus, starts the program, waits for its item, checks the tip and the
// menu, clicks Exit and expects the program to end with status 0 and leave no
// item behind. Exit status 0 when all of that held.
#include <QCoreApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>

#include "TestPanel.h"

namespace {
int Fail(const char* pszWhat, QProcess& program) {
    std::fprintf(stderr, "test panel: %s\n", pszWhat);
    program.kill();
    program.waitForFinished(5000);
    std::fprintf(stderr, "%s", program.readAllStandardError().constData());
    return 1;
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return 2;
    TestPanel panel;
    QProcess program;
    program.start(args.first(), args.mid(1));
    if (!program.waitForStarted(10000)) return Fail("the program did not start", program);
    if (!QTest::qWaitFor([&] { return !panel.Items().isEmpty(); }, 30000))
        return Fail("no item registered", program);
    const QString strItem = panel.Items().first();
    const QString strTip = panel.ToolTipTitle(strItem);
    std::printf("item %s, tip \"%s\"\n", qPrintable(strItem), qPrintable(strTip));
    if (!strTip.startsWith(QStringLiteral("Brisaloo: D:")))
        return Fail("the tip is not the countdown", program);
    if (panel.MenuLabels(strItem) != QStringList{"Show Main Screen", "Notes", "Setup", "Exit"})
        return Fail("the menu is not the tray menu", program);
    if (!panel.Click(strItem, QStringLiteral("Exit"))) return Fail("no Exit item", program);
    if (!program.waitForFinished(15000)) return Fail("Exit did not end the program", program);
    if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
        return Fail("the program did not end cleanly", program);
    if (panel.IsOnBus(strItem)) return Fail("the item stayed on the bus", program);
    std::printf("Exit from the exported menu ended the program\n");
    return 0;
}
