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
    }

    void scalableSourceIsThere() { QVERIFY(QFile::exists(QStringLiteral(":/icons/brisaloo.svg"))); }
};

QTEST_MAIN(AppIconTest)
#include "AppIconTest.moc"
