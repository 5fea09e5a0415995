#pragma once

#include <QString>

// "qxconfig.ini", where AppLocations puts it. Every access opens the file afresh; nothing is
// cached.
namespace SettingsFile {
inline const QString kFileName = QStringLiteral("qxconfig.ini");

QString filePath();
QString read(const QString& section, const QString& key, const QString& defaultValue);
// Creates the file or the key when missing. Throws std::runtime_error when the file cannot be
// written.
void write(const QString& section, const QString& key, const QString& value);
} // namespace SettingsFile
