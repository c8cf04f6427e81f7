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
    // A value QSettings reads as a list ("1,2") or anything else that is not
    // plain text is not an integer either.
    if (value.typeId() != QMetaType::QString) return nDefault;
    return ParseProfileInt(value.toString().toStdString()).value_or(nDefault);
}

bool QSettingsProfile::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                       int nValue) {
    m_settings.setValue(KeyOf(strSection, strKey), nValue);
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

QString QSettingsProfile::DefaultPath() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Brisaloo/Brisaloo.ini"));
}
