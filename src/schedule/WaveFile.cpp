#include "schedule/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace {
quint32 le32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
} // namespace

std::optional<qint64> WaveFile::durationMs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;

    std::optional<quint32> byteRate;
    std::optional<qint64> dataSize;
    // Chunks follow one another, each padded to an even length; the order of "fmt " and
    // "data" is not fixed, and other chunks ("LIST", "fact") may come between.
    while (!(byteRate && dataSize)) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            break;
        const quint32 size = le32(chunk, 4);
        const qint64 body = file.pos();
        if (chunk.startsWith("fmt ")) {
            const QByteArray format = file.read(16);
            if (format.size() != 16)
                return std::nullopt;
            byteRate = le32(format, 8);
        } else if (chunk.startsWith("data")) {
            // A writer that never came back to fill in the size leaves it at its maximum.
            dataSize = std::min<qint64>(size, file.size() - body);
        }
        if (!file.seek(body + size + (size & 1)))
            break;
    }
    if (!byteRate || !dataSize || *byteRate == 0)
        return std::nullopt;
    return *dataSize * 1000 / *byteRate;
}
