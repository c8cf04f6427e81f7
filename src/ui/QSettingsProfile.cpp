#include "ui/QSettingsProfile.h"

#include <QDir>
#include <QStandardPaths>

#include "app/IniText.h"
#include "app/ProfileSettings.h"

namespace {

// QSettings' own INI format turns a value written "@Variant(...)" into an
// object from its binary form, and a few damaged bytes there make it reserve
// gigabytes. The profile only ever holds integers, so it goes through
// QSettings with a format of plain text values instead: the file stays an
// ordinary INI file, and QSettings still caches, locks and replaces it whole.
bool ReadIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray bytes = device.readAll();
    for (const auto& [strPath, strValue] : ParseIniText(std::string_view(bytes.data(), bytes.size())))
        map.insert(QString::fromStdString(strPath), QString::fromStdString(strValue));
    return true;
}

bool WriteIni(QIODevice& device, const QSettings::SettingsMap& map) {
    IniValues values;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        values[it.key().toStdString()] = it.value().toString().toStdString();
    const std::string strText = FormatIniText(values);
    return device.write(strText.data(), static_cast<qint64>(strText.size())) ==
           static_cast<qint64>(strText.size());
}

QSettings::Format PlainIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadIni, WriteIni);
    return format;
}

QString KeyOf(const std::string& strSection, const std::string& strKey) {
    return QString::fromStdString(strSection) + '/' + QString::fromStdString(strKey);
}
}  // namespace

QSettingsProfile::QSettingsProfile(const QString& strIniPath)
    : m_settings(strIniPath, PlainIniFormat()) {}

int QSettingsProfile::GetProfileInt(const std::string& strSection, const std::string& strKey,
                                    int nDefault) {
    const QVariant value = m_settings.value(KeyOf(strSection, strKey));
    if (!value.isValid()) return nDefault;
    // Text from the file, or the int this process wrote: both read as text.
    return ParseProfileInt(value.toString().toStdString()).value_or(nDefault);
}

bool QSettingsProfile::WriteProfileInt(const std::string& strSection, const std::string& strKey,
                                       int nValue) {
    // A failed write leaves its status on a QSettings for good, so each write
    // goes through a QSettings of its own, whose status tells how this one
    // went. Both share the file QSettings caches by name, so m_settings
    // reads the new value.
    QSettings writer(m_settings.fileName(), PlainIniFormat());
    writer.setValue(KeyOf(strSection, strKey), nValue);
    writer.sync();
    return writer.status() == QSettings::NoError;
}

QString QSettingsProfile::DefaultPath() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Brisaloo/Brisaloo.ini"));
}
