#include "schedule/WavePlayer.h"

#include "schedule/WaveFile.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <utility>

EffectSoundOutput::EffectSoundOutput(QObject* parent) : QObject(parent) {
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] { finish(true); });
}

EffectSoundOutput::~EffectSoundOutput() {
    finished_ = nullptr;
    delete effect_.data();
}

void EffectSoundOutput::start(const QString& path, std::function<void(bool played)> finished) {
    finished_ = std::move(finished);
    started_ = false;
    const std::optional<qint64> duration = WaveFile::durationMs(path);
    if (!duration) {
        finish(false);
        return;
    }
    if (QMediaDevices::audioOutputs().isEmpty()) {
        finish(true);
        return;
    }
    if (effect_)
        effect_->deleteLater();
    effect_ = new QSoundEffect(this);
    QSoundEffect* effect = effect_;
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
        if (effect != effect_)
            return;
        if (effect->status() == QSoundEffect::Error)
            finish(false);
        else if (effect->status() == QSoundEffect::Ready && !started_) {
            started_ = true;
            effect->play();
        }
    });
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
        if (effect == effect_ && started_ && !effect->isPlaying())
            finish(true);
    });
    watchdog_.start(static_cast<int>(std::min<qint64>(*duration, 600000)) + kGraceMs);
    effect->setSource(QUrl::fromLocalFile(path));
}

void EffectSoundOutput::beep() {
    QApplication::beep();
}

void EffectSoundOutput::finish(bool played) {
    watchdog_.stop();
    auto finished = std::exchange(finished_, nullptr);
    if (effect_ && effect_->isPlaying())
        effect_->stop();
    if (finished)
        finished(played);
}

WavePlayer::WavePlayer(QObject* parent)
    : QueuedSoundPlayer(std::make_unique<EffectSoundOutput>(), parent) {}
