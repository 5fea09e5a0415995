#pragma once

#include <QString>
#include <optional>

// What the sound player needs to know of a WAV file before handing it to the audio output.
namespace WaveFile {

// Playing time of a RIFF/WAVE file from its "fmt " and "data" chunks; no result when the
// file is missing, unreadable or not a wave file. A file the audio output could still refuse
// (an exotic encoding) is caught later, by the output itself.
std::optional<qint64> durationMs(const QString& path);

} // namespace WaveFile
