// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "UiTestSupport.h"
#include "app/ProfileSettings.h"
#include "qt/CSetupDlg.h"
#include "support/MemoryProfile.h"

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

    // Which fields OK takes is SetupForm's (SetupFormTest); here the button
    // reaches the form, the refused field gets the focus with its text
    // selected, and an accepted dialog hands back the settings.
    void okReachesTheForm() {
        MessageRecorder messages;
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Edit(dlg, "IDC_SETUP_MONTH")->setText("2");
        Edit(dlg, "IDC_SETUP_HOUR")->setText("25");
        QTest::mouseClick(dlg.findChild<QPushButton*>("IDOK"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(messages.Texts(), QStringList{"The hour must be a whole number from 0 to 24."});
        QCOMPARE(QApplication::focusWidget(), Edit(dlg, "IDC_SETUP_HOUR"));
        QCOMPARE(Edit(dlg, "IDC_SETUP_HOUR")->selectedText(), QStringLiteral("25"));
        QCOMPARE(dlg.FormSettings().nMonth, 1);

        Edit(dlg, "IDC_SETUP_HOUR")->setText("23");
        dlg.findChild<QCheckBox*>("IDC_SETUP_HIDESTART")->setChecked(true);
        QTest::mouseClick(dlg.findChild<QPushButton*>("IDOK"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.FormSettings().nMonth, 2);
        QCOMPARE(dlg.FormSettings().nHour, 23);
        QVERIFY(dlg.FormSettings().bHideStart);
    }

    void cancelHandsBackNothing() {
        MemoryProfile profile;
        CSetupDlg dlg(ReadProfileSettings(profile));
        dlg.show();
        Edit(dlg, "IDC_SETUP_MONTH")->setText("2");
        QTest::mouseClick(dlg.findChild<QPushButton*>("IDCANCEL"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(dlg.FormSettings().nMonth, 1);
    }
};

QTEST_MAIN(SetupDlgTest)
#include "SetupDlgTest.moc"
