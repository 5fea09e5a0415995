#pragma once

#include <QString>

// Plays one of the program's sounds by file name ("reminder.wav"). Playing never blocks the
// caller: sounds asked for while another plays are heard after it, in the order asked.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& fileName) = 0;
};
