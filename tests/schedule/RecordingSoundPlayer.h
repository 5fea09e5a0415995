#pragma once

#include "schedule/SoundPlayer.h"

#include <QStringList>

// Remembers what would have been heard, in order.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& fileName) override { played << fileName; }
    QStringList played;
};
