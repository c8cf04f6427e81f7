#include "ui/QSettingsProfile.h"

#include <QDir>
#include <QStandardPaths>

#include "app/ProfileSettings.h"

namespace {
QString KeyOf(const std::string& strSection, const std::string& strKey) {
    return QString::fromStdString(strSection) + '/' + QString::fromStdString(strKey);
}
}  // namespace

QSettingsProfile::QSettingsProfile(const QString& strIniPath)
    : m_settings(strIniPath, QSettings::IniFormat) {}

int QSettingsProfile::GetProfileInt(const std::string& strSection, const std::string& strKey,
                                    int nDefault) {
    const QVariant value = m_settings.value(KeyOf(strSection, strKey));
    if (!value.isValid()) return nDefault;
    // What this process wrote stays in QSettings' memory as the int it was,
    // not as text: it reads back as written.
    if (value.typeId() == QMetaType::Int) return value.toInt();
    // A value QSettings reads as a list ("1,2") or anything else that is not
    // plain text is not an integer either.
    if (value.typeId() != QMetaType::QString) return nDefault;
    return ParseProfileInt(value.toString().toStdString()).value_or(nDefault);
}

bool QSettingsProfile::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                       int nValue) {
    // QSettings parses an INI file section by section as it needs them, and
    // a malformed section leaves FormatError on whichever QSettings met it,
    // for good, even over a write that succeeded. So one QSettings parses the
    // whole file first, and the write goes through another: both share the
    // parsed file (QSettings caches it by name), so the writer's status tells
    // how this write went, and m_settings reads the new value.
    QSettings parser(m_settings.fileName(), QSettings::IniFormat);
    parser.allKeys();
    QSettings writer(m_settings.fileName(), QSettings::IniFormat);
    writer.setValue(KeyOf(strSection, strKey), nValue);
    writer.sync();
    return writer.status() == QSettings::NoError;
}

QString QSettingsProfile::DefaultPath() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Brisaloo/Brisaloo.ini"));
}
