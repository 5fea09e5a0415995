#include "chrome/Assets.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QtGlobal>

// The resources live in a static library; referencing its initialiser keeps the linker from
// dropping them.
static void initAssetResources() {
    Q_INIT_RESOURCE(qx_assets);
}

namespace {

struct Index {
    QHash<QString, QString> pathByKey; // lower-case name -> resource path
    QStringList names;
};

const Index& index() {
    static const Index built = [] {
        initAssetResources();
        Index result;
        QDirIterator it(QStringLiteral(":/qx"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString name = QFileInfo(path).completeBaseName();
            const QString key = name.toLower();
            if (result.pathByKey.contains(key)) {
                qWarning("Assets: two pictures are named %s", qPrintable(name));
                continue;
            }
            result.pathByKey.insert(key, path);
            result.names << name;
        }
        result.names.sort(Qt::CaseInsensitive);
        return result;
    }();
    return built;
}

} // namespace

QString Assets::resourcePath(const QString& name) {
    return index().pathByKey.value(name.toLower());
}

QPixmap Assets::picture(const QString& name) {
    const QString path = resourcePath(name);
    if (path.isEmpty()) {
        qWarning("Assets: no picture named %s", qPrintable(name));
        return {};
    }
    return QPixmap(path);
}

QStringList Assets::names() {
    return index().names;
}

QIcon Assets::appIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = resourcePath(QStringLiteral("appIcon%1").arg(size));
        if (!path.isEmpty())
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}
