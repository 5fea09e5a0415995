#include "platform/ExecutableFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overridden() {
    static QString path;
    return path;
}

QString withSeparator(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}
} // namespace

QString ExecutableFolder::path() {
    if (!overridden().isEmpty())
        return withSeparator(overridden());
    return withSeparator(QCoreApplication::applicationDirPath());
}

void ExecutableFolder::overrideForTests(const QString& directory) {
    overridden() = directory.isEmpty() ? QString() : QDir::cleanPath(directory);
}
