#include "platform/AppLocations.h"

#include "platform/ExecutableFolder.h"
#include "platform/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kSoundFolderName = QStringLiteral("wave");

QString withSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString configFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : folder;
}
} // namespace

AppLocations::Mode AppLocations::mode() {
    const QString beside = ExecutableFolder::path();
    if (QFileInfo::exists(beside + kStoreFileName) ||
        QFileInfo::exists(beside + SettingsFile::kFileName))
        return Mode::Portable;
    return Mode::Installed;
}

QString AppLocations::settingsFilePath() {
    if (mode() == Mode::Portable)
        return ExecutableFolder::path() + SettingsFile::kFileName;
    return configFolder() + QLatin1Char('/') + kSettingsFolderName + QLatin1Char('/') +
           SettingsFile::kFileName;
}

QString AppLocations::soundFolder() {
    const QString beside = ExecutableFolder::path();
    if (mode() == Mode::Portable)
        return beside + kSoundFolderName + QLatin1Char('/');
    const QString relative = QStringLiteral("qxreminder/") + kSoundFolderName;
    const QString prefixData = QDir::cleanPath(beside + QStringLiteral("../share/") + relative);
    if (QFileInfo(prefixData).isDir())
        return withSeparator(prefixData);
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative,
                                                 QStandardPaths::LocateDirectory);
    return withSeparator(found.isEmpty() ? prefixData : found);
}

QString AppLocations::storeLocation() {
    const QString configured =
        SettingsFile::read(kStoreSection, kStorePathKey, QString()).trimmed();
    if (configured.isEmpty())
        return mode() == Mode::Portable ? ExecutableFolder::path() + kStoreFileName : QString();
    if (isServerAddress(configured))
        return configured;
    return QDir::cleanPath(
        QFileInfo(settingsFilePath()).absoluteDir().absoluteFilePath(configured));
}

bool AppLocations::isServerAddress(const QString& location) {
    return location.startsWith(QStringLiteral("postgresql://"), Qt::CaseInsensitive) ||
           location.startsWith(QStringLiteral("postgres://"), Qt::CaseInsensitive);
}

bool AppLocations::needsStoreChoice() {
    if (mode() == Mode::Portable)
        return false;
    const QString location = storeLocation();
    return location.isEmpty() || (!isServerAddress(location) && !QFileInfo::exists(location));
}

void AppLocations::setStoreLocation(const QString& location) {
    SettingsFile::write(kStoreSection, kStorePathKey, location);
}
