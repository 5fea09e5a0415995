#pragma once

#include "schedule/SoundPlayer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

// The device a queued player drives, one sound at a time.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing the file and returns at once. Calls finished exactly once, when the
    // sound has ended (true) or could not be played after all (false). finished may run
    // before start() returns.
    virtual void start(const QString& path, std::function<void(bool played)> finished) = 0;
    // The system's default sound, for a file that is missing or cannot be played.
    virtual void beep() = 0;
};

// Plays the files of the folder "wave" beside the executable one after the other, without
// ever blocking the caller: two kinds falling due at once are heard in turn while the
// windows keep responding. A missing or unplayable file gives the system beep instead.
class QueuedSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    explicit QueuedSoundPlayer(std::unique_ptr<SoundOutput> output, QObject* parent = nullptr);
    ~QueuedSoundPlayer() override;

    void play(const QString& fileName) override;

    // A sound is being played now.
    bool isBusy() const { return busy_; }
    // Sounds asked for and not yet started.
    int waitingCount() const { return static_cast<int>(queue_.size()); }

    // The sound folder, with a trailing separator.
    static QString waveFolder();
    // The file's path in the sound folder, matched without regard to letter case as the
    // names were given on a system that ignores it; empty when there is no such file.
    static QString locate(const QString& fileName);

private:
    void startNext();
    void finished(bool played);

    std::unique_ptr<SoundOutput> output_;
    std::deque<QString> queue_;
    bool busy_ = false;
    // Tells late callbacks of the output that this player is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
