// SPDX-License-Identifier: GPL-3.0-or-later
// A profile file read and written through IniFileProfile: whatever the
// file holds, start-up gets the stored integers that can be read and the
// defaults for the rest, and Setup's values reach the file in place and read
// back.

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

#include "app/IniText.h"
#include "app/ProfileSettings.h"
#include "qt/IniFileProfile.h"

namespace {

// Year, month, day, hour, minute, trivia interval, hide on start (0 or 1).
using Values = QList<int>;
const Values kDefaults{2000, 1, 1, 0, 1, 30, 0};

Values Read(const QString& strPath) {
    IniFileProfile profile(strPath);
    const Settings read = ReadProfileSettings(profile);
    Values values;
    for (const ProfileSetting& setting : kProfileSettings) values << setting.Get(read);
    return values;
}

// True when every write was reported done.
bool Write(const QString& strPath, const Values& values) {
    IniFileProfile profile(strPath);
    Settings settings;
    for (std::size_t i = 0; i < kProfileSettings.size(); ++i)
        kProfileSettings[i].Set(settings, values[static_cast<qsizetype>(i)]);
    return WriteProfileSettings(profile, settings);
}

void WriteFileBytes(const QString& strPath, const QByteArray& bytes) {
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray RandomBinary(std::size_t nSize) {
    std::mt19937 engine(20260601);
    QByteArray bytes(static_cast<qsizetype>(nSize), '\0');
    for (char& c : bytes) c = static_cast<char>(engine() & 0xFF);
    return bytes;
}

}  // namespace

class ProfileFaultTest : public QObject {
    Q_OBJECT

private:
    QString IniPath() const { return m_dir.filePath(QStringLiteral("Brisaloo.ini")); }

    QTemporaryDir m_dir;

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QFile::remove(IniPath());
    }

    void brokenFileReadsWhatItCan_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Values>("expected");
        const auto with = [](qsizetype i, int nValue) {
            Values settings = kDefaults;
            settings[i] = nValue;
            return settings;
        };
        QTest::newRow("empty file") << QByteArray() << kDefaults;
        QTest::newRow("truncated in a key") << QByteArray("[DESTINATION]\nYEAR=2031\nMONTH=7\nDA")
                                            << Values{2031, 7, 1, 0, 1, 30, 0};
        QTest::newRow("truncated in a section name")
            << QByteArray("[DESTINATION]\nYEAR=2031\n[SETT") << with(0, 2031);
        QTest::newRow("section without closing bracket")
            << QByteArray("[SETTINGS]\nTRIVTIME=45\n[DESTINATION\nYEAR=2031\n")
            << Values{2031, 1, 1, 0, 1, 45, 0};
        QTest::newRow("binary junk") << RandomBinary(4096) << kDefaults;
        QTest::newRow("NUL inside a value")
            << QByteArray("[DESTINATION]\nYEAR=20") + '\0' + "31\n[SETTINGS]\nTRIVTIME=5\n"
            << with(5, 5);
        QTest::newRow("huge numbers")
            << QByteArray(
                   "[DESTINATION]\nYEAR=99999999999999999999\nMONTH=2147483648\n"
                   "DAY=-2147483649\n[SETTINGS]\nTRIVTIME=2147483647\n")
            << with(5, 2147483647);
        QTest::newRow("negative values")
            << QByteArray("[DESTINATION]\nMONTH=-3\n[SETTINGS]\nTRIVTIME=-30\nHIDESTART=-1\n")
            << Values{2000, -3, 1, 0, 1, -30, 1};  // any HIDESTART but 0 is on
        QTest::newRow("keys without values")
            << QByteArray("[DESTINATION]\nYEAR=\nMONTH\nDAY= \n[SETTINGS]\nTRIVTIME=\n")
            << kDefaults;
        QTest::newRow("duplicate keys: the last counts")
            << QByteArray("[DESTINATION]\nYEAR=2030\nYEAR=2031\n") << with(0, 2031);
        QTest::newRow("section twice")
            << QByteArray(
                   "[DESTINATION]\nYEAR=2030\n[SETTINGS]\nTRIVTIME=5\n[DESTINATION]\nMONTH=5\n")
            << Values{2030, 5, 1, 0, 1, 5, 0};
        QTest::newRow("not integers")
            << QByteArray("[DESTINATION]\nYEAR=soon\nMONTH=1,2\nDAY=0x1F\nHOUR=1.5\n") << kDefaults;
        QTest::newRow("quotes, blanks, CR LF, byte order mark")
            << QByteArray("\xEF\xBB\xBF[DESTINATION]\r\nYEAR=\"2031\"\r\nMONTH= 7 \r\n")
            << Values{2031, 7, 1, 0, 1, 30, 0};
        // Values QSettings would decode into objects are only text here: a
        // damaged one cannot make reading the file reserve gigabytes.
        QTest::newRow("binary variant with a huge count")
            << QByteArray(
                   "[DESTINATION]\nYEAR=@Variant(\\0\\0\\0\\t(\\0\\x2\\0\\0]a)\n"
                   "MONTH=@Variant(\\0\\0\\0\\t\\xff\\xff\\xff\\xf0)\n"
                   "[SETTINGS]\nTRIVTIME=@Rect(1 2 3 4)\nHIDESTART=1\n")
            << with(6, 1);
        QTest::newRow("comments")
            << QByteArray("; Brisaloo\n# profile\n[DESTINATION]\nYEAR=2031 ; the big year\n"
                          ";MONTH=5\n")
            << with(0, 2031);
        QTest::newRow("one line of a megabyte")
            << QByteArray("[DESTINATION]\nYEAR=") + QByteArray(1 << 20, '7') + "\nMONTH=3\n"
            << with(1, 3);
    }
    void brokenFileReadsWhatItCan() {
        QFETCH(QByteArray, bytes);
        QFETCH(Values, expected);
        WriteFileBytes(IniPath(), bytes);
        QCOMPARE(Read(IniPath()), expected);
    }

    // Setup over a broken file: every write is reported done, the values
    // read back now and at the next start, and whatever else of the file
    // could be read stays.
    void setupWritesOverABrokenFile_data() { brokenFileReadsWhatItCan_data(); }
    void setupWritesOverABrokenFile() {
        QFETCH(QByteArray, bytes);
        WriteFileBytes(IniPath(), bytes + "\n[Other]\nKeep=this\n");
        // Read from the bytes, by the core's parser alone.
        const auto other = [this] {
            QFile file(IniPath());
            if (!file.open(QIODevice::ReadOnly)) return std::string();
            const QByteArray bytes = file.readAll();
            const IniValues values = ParseIniText(std::string_view(bytes.data(), bytes.size()));
            const auto it = values.find("Other/Keep");
            return it == values.end() ? std::string() : it->second;
        };
        const std::string strOtherBefore = other();
        const Values written{2027, 6, 15, 18, 30, 45, 1};
        QVERIFY(Write(IniPath(), written));
        QCOMPARE(Read(IniPath()), written);
        if (!strOtherBefore.empty()) QCOMPARE(other(), strOtherBefore);
    }

    // Setup's OK changes the values it must and nothing else of the file.
    void setupKeepsTheFilesShape_data() {
        QTest::addColumn<QByteArray>("before");  // null: no file yet
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file in the table's order")
            << QByteArray()
            << QByteArray(
                   "[DESTINATION]\nYEAR=2027\nMONTH=6\nDAY=15\nHOUR=18\nMINUTE=30\n\n"
                   "[SETTINGS]\nTRIVTIME=45\nHIDESTART=1\n");
        QTest::newRow("hand-written, CR LF")
            << QByteArray(
                   "; my trip\r\n[SETTINGS]\r\nHIDESTART=0\r\nTRIVTIME=30\r\n"
                   "COLOUR=blue\r\n\r\n[DESTINATION]\r\nMINUTE=5\r\nHOUR=16\r\n"
                   "DAY=\"10\" ; tenth\r\nMONTH=12\r\n")
            << QByteArray(
                   "; my trip\r\n[SETTINGS]\r\nHIDESTART=1\r\nTRIVTIME=45\r\n"
                   "COLOUR=blue\r\n\r\n[DESTINATION]\r\nMINUTE=30\r\nHOUR=18\r\n"
                   "DAY=\"15\" ; tenth\r\nMONTH=6\r\nYEAR=2027\r\n");
    }
    void setupKeepsTheFilesShape() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                 QFileDevice::ReadGroup | QFileDevice::ReadUser |
                                 QFileDevice::WriteUser;
        if (!before.isNull()) {
            WriteFileBytes(IniPath(), before);
            QVERIFY(QFile::setPermissions(IniPath(), permissions));
        }
        QVERIFY(Write(IniPath(), {2027, 6, 15, 18, 30, 45, 1}));
        QFile file(IniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
        if (!before.isNull()) QCOMPARE(QFile::permissions(IniPath()), permissions);
    }

    void writtenValueReadsBackThroughTheSameProfile() {
        IniFileProfile profile(IniPath());
        QVERIFY(profile.WriteProfileInt("SETTINGS", "TRIVTIME", 45));
        QCOMPARE(profile.GetProfileInt("SETTINGS", "TRIVTIME", 30), 45);
    }

    void missingFileGivesDefaultsAndCreatesNothing() {
        QCOMPARE(Read(IniPath()), kDefaults);
        QVERIFY(!QFileInfo::exists(IniPath()));
    }

    void directoryInPlaceOfTheFile() {
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Brisaloo.ini")));
        QCOMPARE(Read(IniPath()), kDefaults);
        QVERIFY(!Write(IniPath(), kDefaults));
        QVERIFY(QFileInfo(IniPath()).isDir());
    }

    // Setup's seven keys go in one replace of the file: when it fails, the
    // file keeps every byte, never a part of the new arrival.
    void failedWriteLeavesTheFileAsItWas() {
        const QByteArray before("[DESTINATION]\nYEAR=2030\nMONTH=3\n");
        const QString strPath = m_dir.filePath(QStringLiteral("read-only.ini"));
        WriteFileBytes(strPath, before);
        QVERIFY(QFile::setPermissions(strPath, QFileDevice::ReadOwner));
        QVERIFY(!Write(strPath, {2027, 6, 15, 18, 30, 45, 1}));
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void folderThatCannotBeMadeIsAFailedWrite() {
        WriteFileBytes(m_dir.filePath(QStringLiteral("config")), "a file, not a folder");
        const QString strPath = m_dir.filePath(QStringLiteral("config/Brisaloo/Brisaloo.ini"));
        QCOMPARE(Read(strPath), kDefaults);
        QVERIFY(!Write(strPath, kDefaults));
    }
};

QTEST_GUILESS_MAIN(ProfileFaultTest)
#include "ProfileFaultTest.moc"
