// The three reminder sounds, synthesised: 16-bit PCM, mono, 44.1 kHz.
//   reminder.wav  ordinary and birthday reminders: a soft two-note door chime
//   SOUND560.WAV  appointments: a quick rising marimba figure
//   Trumpet1.wav  anniversaries: a short brass fanfare
#include "Canvas.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kTwoPi = 6.283185307179586;

using Samples = std::vector<double>;

Samples silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0);
}

// Adds a note whose partials are (frequency ratio, level, decay time in seconds).
struct Partial {
    double ratio;
    double level;
    double decay;
};

void addNote(Samples& out, double start, double frequency, double length, double attack,
             const std::vector<Partial>& partials, double gain) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double rise = std::min(1.0, t / attack);
        const double tail = std::min(1.0, (length - t) / 0.02); // no click at the note's end
        double v = 0;
        for (const Partial& p : partials)
            v += p.level * std::exp(-t / p.decay) * std::sin(kTwoPi * frequency * p.ratio * t);
        out[first + i] += gain * rise * tail * v;
    }
}

// A brass-like tone: harmonics that open up during the attack, a little vibrato once it holds.
void addBrass(Samples& out, double start, double frequency, double length, double gain) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t / 0.035);
        const double release = std::min(1.0, (length - t) / 0.06);
        const double envelope = attack * release * (0.85 + 0.15 * std::exp(-t / 0.08));
        const double vibrato = t > 0.18 ? 0.004 * std::sin(kTwoPi * 5.5 * t) : 0.0;
        phase += kTwoPi * frequency * (1.0 + vibrato) / kRate;
        const double brightness = 0.35 + 0.65 * attack;
        double v = 0;
        for (int n = 1; n <= 12; ++n)
            v += std::pow(brightness, n - 1) / n * std::sin(n * phase);
        out[first + i] += gain * envelope * v;
    }
}

void normalise(Samples& samples, double peak) {
    double largest = 0;
    for (const double v : samples)
        largest = std::max(largest, std::abs(v));
    if (largest <= 0)
        return;
    for (double& v : samples)
        v *= peak / largest;
}

void put16(QByteArray& bytes, std::uint16_t v) {
    bytes.append(static_cast<char>(v & 0xFF));
    bytes.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& bytes, std::uint32_t v) {
    put16(bytes, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(bytes, static_cast<std::uint16_t>(v >> 16));
}

bool writeWave(const QString& path, const Samples& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray bytes;
    bytes.append("RIFF");
    put32(bytes, 36 + dataBytes);
    bytes.append("WAVE");
    bytes.append("fmt ");
    put32(bytes, 16);        // size of the format chunk
    put16(bytes, 1);         // PCM
    put16(bytes, 1);         // mono
    put32(bytes, kRate);     // samples per second
    put32(bytes, kRate * 2); // bytes per second
    put16(bytes, 2);         // bytes per sample frame
    put16(bytes, 16);        // bits per sample
    bytes.append("data");
    put32(bytes, dataBytes);
    for (const double v : samples) {
        const double clamped = std::clamp(v, -1.0, 1.0);
        put16(bytes,
              static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32767))));
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

Samples chime() {
    Samples s = silence(1.6);
    const std::vector<Partial> bell{
        {1.0, 1.0, 0.55}, {2.0, 0.35, 0.30}, {2.76, 0.18, 0.18}, {4.07, 0.08, 0.10}};
    addNote(s, 0.00, 1318.51, 1.1, 0.004, bell, 0.8); // E6
    addNote(s, 0.38, 1046.50, 1.2, 0.004, bell, 0.9); // C6
    normalise(s, 0.7);
    return s;
}

Samples marimba() {
    Samples s = silence(1.1);
    const std::vector<Partial> bar{{1.0, 1.0, 0.28}, {3.9, 0.22, 0.05}, {9.2, 0.05, 0.02}};
    const double notes[] = {783.99, 1046.50, 1318.51, 1567.98}; // G5 C6 E6 G6
    for (int i = 0; i < 4; ++i)
        addNote(s, 0.11 * i, notes[i], 0.7, 0.003, bar, i == 3 ? 1.0 : 0.8);
    normalise(s, 0.7);
    return s;
}

Samples fanfare() {
    Samples s = silence(1.5);
    addBrass(s, 0.00, 392.00, 0.16, 0.8); // G4
    addBrass(s, 0.17, 392.00, 0.12, 0.8); // G4
    addBrass(s, 0.30, 523.25, 0.16, 0.9); // C5
    addBrass(s, 0.47, 659.25, 0.16, 0.9); // E5
    addBrass(s, 0.64, 783.99, 0.80, 1.0); // G5, held
    addBrass(s, 0.64, 523.25, 0.80, 0.45);
    normalise(s, 0.7);
    return s;
}

} // namespace

bool makeSounds(const QString& folder) {
    return writeWave(folder + QStringLiteral("/reminder.wav"), chime()) &&
           writeWave(folder + QStringLiteral("/SOUND560.WAV"), marimba()) &&
           writeWave(folder + QStringLiteral("/Trumpet1.wav"), fanfare());
}
