#include "platform/SettingsFile.h"

#include "platform/ExeDir.h"

#include <QSettings>
#include <stdexcept>

QString SettingsFile::FilePath() {
    return ExeDir::Path() + kFileName;
}

QString SettingsFile::Read(const QString& section, const QString& key, const QString& defaultValue) {
    QSettings settings(FilePath(), QSettings::IniFormat);
    return settings.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void SettingsFile::Write(const QString& section, const QString& key, const QString& value) {
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue(section + QLatin1Char('/') + key, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("无法写入配置文件 %1").arg(FilePath()).toUtf8().toStdString());
}
