// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QLineEdit>
#include <QtTest>

#include "app/ProfileSettings.h"
#include "support/MemoryProfile.h"
#include "qt/CSetupDlg.h"
#include "UiTestSupport.h"

class SetupDlgTest : public QObject {
    Q_OBJECT

private:
    static QLineEdit* Edit(CSetupDlg& dlg, const char* name) {
        return dlg.findChild<QLineEdit*>(QString::fromLatin1(name));
    }

private slots:
    void opensWithTheApplicationsSettings() {
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        QCOMPARE(Edit(dlg, "IDC_SETUP_MONTH")->text(), QStringLiteral("1"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_DAY")->text(), QStringLiteral("1"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_YEAR")->text(), QStringLiteral("2000"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_HOUR")->text(), QStringLiteral("0"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_MINUTE")->text(), QStringLiteral("1"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_TRIVTIME")->text(), QStringLiteral("30"));
        QVERIFY(!dlg.findChild<QCheckBox*>("IDC_SETUP_HIDESTART")->isChecked());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Brisaloo Setup"));
    }

    void accessibleNames() {
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        const std::pair<const char*, const char*> names[] = {
            {"IDC_SETUP_MONTH", "Month"},   {"IDC_SETUP_DAY", "Day"},
            {"IDC_SETUP_YEAR", "Year"},     {"IDC_SETUP_HOUR", "Hour:"},
            {"IDC_SETUP_MINUTE", "Minute"}, {"IDC_SETUP_TRIVTIME", "Update Trivia every:"},
        };
        for (const auto& [object, name] : names)
            QCOMPARE(Edit(dlg, object)->accessibleName(), QString::fromLatin1(name));
        QCOMPARE(dlg.findChild<QCheckBox*>("IDC_SETUP_HIDESTART")->accessibleName(),
                 QStringLiteral("Hide on startup?"));
    }

    void okChecksEachField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::newRow("year 1995") << "IDC_SETUP_YEAR" << "1995" << false
                                   << "The year must be a whole number from 1996 to 2035.";
        QTest::newRow("year 2036") << "IDC_SETUP_YEAR" << "2036" << false
                                   << "The year must be a whole number from 1996 to 2035.";
        QTest::newRow("year 1996") << "IDC_SETUP_YEAR" << "1996" << true << "";
        QTest::newRow("year 2035") << "IDC_SETUP_YEAR" << "2035" << true << "";
        QTest::newRow("interval 0") << "IDC_SETUP_TRIVTIME" << "0" << false
                                    << "The trivia interval must be a whole number from 1 to 18000.";
        QTest::newRow("interval 18000") << "IDC_SETUP_TRIVTIME" << "18000" << true << "";
        QTest::newRow("hour 24") << "IDC_SETUP_HOUR" << "24" << true << "";
        QTest::newRow("hour 25") << "IDC_SETUP_HOUR" << "25" << false
                                 << "The hour must be a whole number from 0 to 24.";
        QTest::newRow("minute 60") << "IDC_SETUP_MINUTE" << "60" << true << "";
        QTest::newRow("day 31 of February") << "IDC_SETUP_DAY" << "31" << true << "";
        QTest::newRow("day 0") << "IDC_SETUP_DAY" << "0" << false
                               << "The day must be a whole number from 1 to 31.";
        QTest::newRow("month 13") << "IDC_SETUP_MONTH" << "13" << false
                                  << "The month must be a whole number from 1 to 12.";
        QTest::newRow("not a number") << "IDC_SETUP_DAY" << "tomorrow" << false
                                      << "The day must be a whole number from 1 to 31.";
        QTest::newRow("empty") << "IDC_SETUP_MINUTE" << "" << false
                               << "The minute must be a whole number from 0 to 60.";
    }
    void okChecksEachField() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        MessageRecorder messages;
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Edit(dlg, "IDC_SETUP_MONTH")->setText("2");
        Edit(dlg, field.toLatin1().constData())->setText(value);
        dlg.accept();
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(dlg.isVisible(), !accepted);
        if (accepted) {
            QVERIFY(messages.Texts().isEmpty());
            QCOMPARE(dlg.m_settings.nMonth, 2);
        } else {
            QCOMPARE(messages.Texts(), QStringList{message});
            QCOMPARE(QApplication::focusWidget(), Edit(dlg, field.toLatin1().constData()));
        }
    }

    void firstRefusedFieldInExchangeOrderIsReported() {
        MessageRecorder messages;
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        Edit(dlg, "IDC_SETUP_YEAR")->setText("1900");
        Edit(dlg, "IDC_SETUP_HOUR")->setText("99");  // hour is checked before year
        dlg.accept();
        QCOMPARE(messages.Texts(),
                 QStringList{"The hour must be a whole number from 0 to 24."});
    }
};

QTEST_MAIN(SetupDlgTest)
#include "SetupDlgTest.moc"
