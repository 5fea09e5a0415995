#pragma once

#include <QString>

namespace ExecutableFolder {
// The directory of the running executable with a trailing separator, whatever the working
// directory. A portable installation keeps its files here (see AppLocations).
QString path();
// Tests point the base directory at a folder of their own; an empty text restores it.
void overrideForTests(const QString& directory);
} // namespace ExecutableFolder
