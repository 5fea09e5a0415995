// qx-assetgen <picture-folder> <sound-folder>: draws every picture of the program into the
// picture folder, with the resource list "qx_assets.qrc" beside them, and synthesises the three
// reminder sounds into the sound folder. Everything is made here; nothing is copied in.
#include "Canvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

void Output::Save(const QString& folder, const QString& name, const QImage& image) {
    const QString relative = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QString path = root_ + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "qx-assetgen: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    files_ << relative;
}

bool Output::WriteResourceList(const QString& file) const {
    QFile qrc(file);
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream text(&qrc);
    text << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/qx\">\n";
    for (const QString& relative : files_)
        text << "  <file>" << relative << "</file>\n";
    text << "</qresource>\n</RCC>\n";
    return text.status() == QTextStream::Ok;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qx-assetgen <picture-folder> <sound-folder>\n");
        return 2;
    }
    const QString pictures = QString::fromLocal8Bit(argv[1]);
    const QString sounds = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(pictures) || !QDir().mkpath(sounds)) {
        std::fprintf(stderr, "qx-assetgen: cannot create the output folders\n");
        return 1;
    }
    Output out(pictures);
    MakeSkin(out);
    MakeIcons(out);
    MakePictures(out);
    if (!out.WriteResourceList(pictures + QStringLiteral("/qx_assets.qrc"))) {
        std::fprintf(stderr, "qx-assetgen: cannot write the resource list\n");
        return 1;
    }
    if (!MakeSounds(sounds)) {
        std::fprintf(stderr, "qx-assetgen: cannot write the sounds\n");
        return 1;
    }
    return 0;
}
