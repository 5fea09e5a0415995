#pragma once

#include <QString>

// Where the program's files are. A portable installation keeps everything beside the executable,
// as the program always has; an installed one (a package in /usr/bin, say) keeps the settings in
// the user's configuration folder, takes the sounds from its data folder, and finds the store at
// the place the settings name.
namespace AppLocations {

enum class Mode { Portable, Installed };

inline const QString kSettingsFolderName = QStringLiteral("QxReminder");
inline const QString kStoreFileName = QStringLiteral("qxreminder.mcm");
inline const QString kStoreSection = QStringLiteral("Store");
inline const QString kStorePathKey = QStringLiteral("Path");

// Portable when the store or the settings file lies beside the executable.
Mode mode();

// The settings file: beside the executable, or $XDG_CONFIG_HOME/QxReminder/qxconfig.ini.
QString settingsFilePath();

// The folder of the sounds, with a trailing separator: "wave" beside the executable, or the
// installed data folder (../share/qxreminder/wave from the executable, else the system's data
// folders).
QString soundFolder();

// The store as the settings name it, relative paths taken from the settings file's folder; a
// server address is given unchanged. Portable installations without that setting use the file
// beside the executable. Empty when an installed program has no store configured yet.
QString storeLocation();

// Whether a store location names a database server rather than a file.
bool isServerAddress(const QString& location);

// Whether the store must be chosen before the program can start: an installed program with no
// store configured, or with a configured file that is not there.
bool needsStoreChoice();

// Saves the store's location in the settings. Throws std::runtime_error when it cannot be written.
void setStoreLocation(const QString& location);

} // namespace AppLocations
