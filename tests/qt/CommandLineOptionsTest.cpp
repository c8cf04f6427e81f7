// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "qt/CommandLineOptions.h"

using Action = CommandLineOptions::Action;

class CommandLineOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void parses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errorContains");
        const QString strTmp = QDir::tempPath();
        QTest::newRow("nothing") << QStringList{} << int(Action::Run) << 0 << "";
        QTest::newRow("hidden") << QStringList{"--hidden"} << int(Action::Run) << 0 << "";
        QTest::newRow("print") << QStringList{"--print"} << int(Action::Print) << 0 << "";
        QTest::newRow("format implies print")
            << QStringList{"--format", "{days}"} << int(Action::Print) << 0 << "";
        QTest::newRow("autostart on") << QStringList{"--autostart", "on"} << int(Action::Autostart)
                                      << 0 << "";
        QTest::newRow("autostart off") << QStringList{"--autostart=off"}
                                       << int(Action::Autostart) << 0 << "";
        QTest::newRow("autostart maybe") << QStringList{"--autostart", "maybe"} << int(Action::Exit)
                                         << 2 << "maybe";
        QTest::newRow("autostart without value")
            << QStringList{"--autostart"} << int(Action::Exit) << 2 << "autostart";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << int(Action::Exit) << 2
                                        << "frobnicate";
        QTest::newRow("stray argument") << QStringList{"tomorrow"} << int(Action::Exit) << 2
                                        << "tomorrow";
        QTest::newRow("data dir missing") << QStringList{"--data-dir", "/no/such/folder"}
                                          << int(Action::Exit) << 2 << "/no/such/folder";
        QTest::newRow("data dir") << QStringList{"--data-dir", strTmp} << int(Action::Run) << 0
                                  << "";
        QTest::newRow("print and autostart")
            << QStringList{"--print", "--autostart", "on"} << int(Action::Exit) << 2
            << "--autostart";
        QTest::newRow("print and hidden") << QStringList{"--print", "--hidden"}
                                          << int(Action::Exit) << 2 << "--hidden";
        QTest::newRow("version") << QStringList{"--version"} << int(Action::Exit) << 0 << "";
        QTest::newRow("help") << QStringList{"--help"} << int(Action::Exit) << 0 << "";
    }
    void parses() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(int, exitCode);
        QFETCH(QString, errorContains);
        const CommandLineOptions options =
            ParseCommandLine(QStringList{QStringLiteral("brisaloo")} + args);
        QCOMPARE(int(options.action), action);
        QCOMPARE(options.nExitCode, exitCode);
        if (errorContains.isEmpty()) {
            QVERIFY2(options.strError.isEmpty(), qPrintable(options.strError));
        } else {
            QVERIFY2(options.strError.contains(errorContains), qPrintable(options.strError));
            QVERIFY(options.strError.startsWith(QStringLiteral("brisaloo: ")));
            QVERIFY(!options.strError.contains('\n'));  // one line
        }
    }

    void helpNamesEveryOptionAndPlaceholder() {
        const CommandLineOptions options = ParseCommandLine({"brisaloo", "--help"});
        for (const char* word : {"--print", "--format", "--hidden", "--autostart", "--data-dir",
                                 "--version", "{days}", "{total_seconds}"})
            QVERIFY2(options.strOutput.contains(QLatin1String(word)), word);
    }
};

QTEST_GUILESS_MAIN(CommandLineOptionsTest)
#include "CommandLineOptionsTest.moc"
