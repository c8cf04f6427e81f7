// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QIcon>
#include <QTest>

#include "qt/AppIcon.h"

// The icon comes from the compiled-in resources, in every size the launcher,
// the window and the tray ask for, and not scaled up from a smaller one.
class AppIconTest : public QObject {
    Q_OBJECT

private slots:
    void carriesEverySize_data() {
        QTest::addColumn<int>("size");
        for (const int nSize : kIconSizes) QTest::addRow("%dpx", nSize) << nSize;
    }

    void carriesEverySize() {
        QFETCH(int, size);
        const QIcon icon = BrisalooIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        QCOMPARE(pixmap.size(), QSize(size, size));
        QVERIFY(pixmap.hasAlphaChannel());
        // The windows' icon names fewer sizes to X11 but draws each as sharply.
        QCOMPARE(BrisalooWindowIcon().pixmap(QSize(size, size)).size(), QSize(size, size));
    }

    // The tray asks for sizes the program does not carry: scaled down from the
    // next larger one, never up, and never larger than asked.
    void fitsOtherSizes_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("given");
        QTest::newRow("22px, the tray") << 22 << 22;
        QTest::newRow("24px") << 24 << 24;
        QTest::newRow("100px") << 100 << 100;
        QTest::newRow("512px, past the largest") << 512 << 256;
    }

    void fitsOtherSizes() {
        QFETCH(int, asked);
        QFETCH(int, given);
        const QIcon icon = BrisalooIcon();
        QCOMPARE(icon.actualSize(QSize(asked, asked)), QSize(given, given));
        const QPixmap pixmap = icon.pixmap(QSize(asked, asked));
        QCOMPARE(pixmap.size(), QSize(given, given));
        QVERIFY(pixmap.hasAlphaChannel());
    }

    void scalableSourceIsThere() { QVERIFY(QFile::exists(QStringLiteral(":/icons/brisaloo.svg"))); }
};

QTEST_MAIN(AppIconTest)
#include "AppIconTest.moc"
