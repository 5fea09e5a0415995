#pragma once

#include <QString>

namespace ExeDir {
// The directory of the running executable with a trailing separator. The store,
// the settings file and the sound folder live here, whatever the working directory.
QString Path();
// Tests point the base directory at a folder of their own; an empty text restores it.
void OverrideForTests(const QString& directory);
} // namespace ExeDir
