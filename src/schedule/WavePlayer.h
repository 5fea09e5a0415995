#pragma once

#include "schedule/QueuedSoundPlayer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QSoundEffect;

// The audio output of the program: Qt's sound effect on the default device. On a machine
// without an audio device a playable file is simply not heard.
class EffectSoundOutput final : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit EffectSoundOutput(QObject* parent = nullptr);
    ~EffectSoundOutput() override;

    void start(const QString& path, std::function<void(bool played)> finished) override;
    void beep() override;

    // Time allowed beyond a sound's own length before it counts as over: an output that
    // never reports the end (no device behind it) must not hold the queue for ever.
    static constexpr int kGraceMs = 1500;

private:
    void finish(bool played);

    QPointer<QSoundEffect> effect_;
    QTimer watchdog_;
    std::function<void(bool)> finished_;
    bool started_ = false;
};

// The sound player the main window owns.
class WavePlayer final : public QueuedSoundPlayer {
    Q_OBJECT
public:
    explicit WavePlayer(QObject* parent = nullptr);
};
