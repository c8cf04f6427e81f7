#include "ui/QSettingsProfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include "app/DataLocation.h"
#include "app/IniText.h"
#include "app/ProfileSettings.h"
#include "files/AtomicFile.h"
#include "files/FileIo.h"

namespace {

// QSettings' own INI format turns a value written "@Variant(...)" into an
// object from its binary form, and a few damaged bytes there make it reserve
// gigabytes. The profile only ever holds integers, so it is read through
// QSettings with a format of plain text values instead.
bool ReadIni(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray bytes = device.readAll();
    for (const auto& [strPath, strValue] : ParseIniText(std::string_view(bytes.data(), bytes.size())))
        map.insert(QString::fromStdString(strPath), QString::fromStdString(strValue));
    return true;
}

// QSettings would write the file from a sorted map, its comments and order
// gone; the profile writes its own edits (WriteProfileInt), so this never
// runs, and if it did the file would stay as it is.
bool RefuseToWrite(QIODevice&, const QSettings::SettingsMap&) {
    return false;
}

QSettings::Format PlainIniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), ReadIni, RefuseToWrite);
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
    // The edit starts from the file as it is now, so a change made by hand
    // while Brisaloo runs is kept; only this key's value changes.
    const std::string strPath = QFile::encodeName(m_settings.fileName()).toStdString();
    std::string strText;
    if (!ReadWholeFile(strPath, strText) && errno != ENOENT) return false;
    const std::string strEdited = SetIniValue(strText, strSection, strKey, std::to_string(nValue));
    if (strEdited == strText) return true;
    std::string strError;
    if (!EnsureDirectory(DirectoryOf(strPath), strError)) return false;
    if (ReplaceFileAtomically(strPath, strEdited)) return false;
    // QSettings reads a file again at every sync when it has nothing of its own to write.
    m_settings.sync();
    return true;
}

QString QSettingsProfile::DefaultPath() {
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QStringLiteral("Brisaloo/Brisaloo.ini"));
}
