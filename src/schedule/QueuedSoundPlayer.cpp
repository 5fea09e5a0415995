#include "schedule/QueuedSoundPlayer.h"

#include "platform/ExecutableFolder.h"

#include <QDir>
#include <QFileInfo>

QueuedSoundPlayer::QueuedSoundPlayer(std::unique_ptr<SoundOutput> output, QObject* parent)
    : QObject(parent), output_(std::move(output)) {}

QueuedSoundPlayer::~QueuedSoundPlayer() {
    *alive_ = false;
}

QString QueuedSoundPlayer::waveFolder() {
    return ExecutableFolder::path() + QStringLiteral("wave/");
}

QString QueuedSoundPlayer::locate(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        return {};
    const QString exact = waveFolder() + fileName;
    if (QFileInfo(exact).isFile())
        return exact;
    const QDir folder(waveFolder());
    for (const QString& entry : folder.entryList(QDir::Files))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return {};
}

void QueuedSoundPlayer::play(const QString& fileName) {
    queue_.push_back(fileName);
    if (!busy_)
        startNext();
}

void QueuedSoundPlayer::startNext() {
    while (!busy_ && !queue_.empty()) {
        const QString fileName = queue_.front();
        queue_.pop_front();
        const QString path = locate(fileName);
        if (path.isEmpty()) {
            output_->beep();
            continue;
        }
        busy_ = true;
        std::weak_ptr<bool> alive = alive_;
        output_->start(path, [this, alive](bool played) {
            const auto living = alive.lock();
            if (living && *living)
                finished(played);
        });
    }
}

void QueuedSoundPlayer::finished(bool played) {
    if (!played)
        output_->beep();
    // The next sound starts from the event loop, not from inside the output's notification,
    // so an output that reports the end from within start() cannot recurse without bound.
    QMetaObject::invokeMethod(
        this,
        [this] {
            busy_ = false;
            startNext();
        },
        Qt::QueuedConnection);
}
