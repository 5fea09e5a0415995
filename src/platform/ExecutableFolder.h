#pragma once

#include <QString>

namespace ExecutableFolder {
// The directory of the running executable with a trailing separator. The store,
// the settings file and the sound folder live here, whatever the working directory.
QString path();
// Tests point the base directory at a folder of their own; an empty text restores it.
void overrideForTests(const QString& directory);
} // namespace ExecutableFolder
