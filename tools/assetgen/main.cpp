// qx-assetgen <picture-folder> <sound-folder>: draws every picture of the program into the
// picture folder, with the resource list "qx_assets.qrc" beside them, and synthesises the three
// reminder sounds into the sound folder. Everything is made here; nothing is copied in.
#include "Canvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSvgGenerator>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

namespace {
// A missing picture breaks the build, so every failed write ends the generator.
[[noreturn]] void cannotWrite(const QString& path) {
    std::fprintf(stderr, "qx-assetgen: cannot write %s\n", qPrintable(path));
    std::exit(1);
}
} // namespace

void Output::save(const QString& folder, const QString& name, const QImage& image) {
    const QString relative = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const QString path = root_ + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG"))
        cannotWrite(path);
    files_ << relative;
}

void Output::saveScalable(const QString& folder, const QString& name, int size,
                          const std::function<void(QPainter&)>& draw) const {
    const QString path = root_ + QLatin1Char('/') + folder + QLatin1Char('/') + name + ".svg";
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        cannotWrite(path);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(name);
    {
        QPainter painter(&svg);
        smooth(painter);
        draw(painter);
    }
    if (file.error() != QFileDevice::NoError || file.size() == 0)
        cannotWrite(path);
}

bool Output::writeResourceList(const QString& file) const {
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
    makeSkin(out);
    makeIcons(out);
    makePictures(out);
    if (!out.writeResourceList(pictures + QStringLiteral("/qx_assets.qrc"))) {
        std::fprintf(stderr, "qx-assetgen: cannot write the resource list\n");
        return 1;
    }
    if (!makeSounds(sounds)) {
        std::fprintf(stderr, "qx-assetgen: cannot write the sounds\n");
        return 1;
    }
    return 0;
}
