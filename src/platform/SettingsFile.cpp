#include "platform/SettingsFile.h"

#include "platform/AppLocations.h"

#include <QSettings>
#include <stdexcept>

QString SettingsFile::filePath() {
    return AppLocations::settingsFilePath();
}

QString SettingsFile::read(const QString& section, const QString& key,
                           const QString& defaultValue) {
    QSettings settings(filePath(), QSettings::IniFormat);
    return settings.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void SettingsFile::write(const QString& section, const QString& key, const QString& value) {
    QSettings settings(filePath(), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("无法写入配置文件 %1").arg(filePath()).toUtf8().toStdString());
}
