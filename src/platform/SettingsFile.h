#pragma once

#include <QString>

// "qxconfig.ini" beside the executable. Every access opens the file afresh; nothing is cached.
namespace SettingsFile {
inline const QString kFileName = QStringLiteral("qxconfig.ini");

QString FilePath();
QString Read(const QString& section, const QString& key, const QString& defaultValue);
// Creates the file or the key when missing. Throws std::runtime_error when the file cannot be written.
void Write(const QString& section, const QString& key, const QString& value);
} // namespace SettingsFile
