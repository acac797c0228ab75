// Synthesises the program folder's two sounds: yes.wav, a soft rising two-note chime played
// when a key is pressed, and click.wav, a short muted tick for the side buttons.
// Both are 16-bit PCM, mono, 44100 Hz. Usage: makesounds <program folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double twoPi = 2.0 * std::numbers::pi;

using Signal = std::vector<double>; // samples in -1..1

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * sampleRate));
}

// A note with a quick rise and an exponential fall, so it starts without a pop and rings out.
struct Note {
    double frequency;
    double start;    // seconds from the beginning of the sound
    double length;   // seconds
    double level;    // peak amplitude, 0..1
    double attack;   // seconds to full level
    double decay;    // time constant of the fall, seconds
    double overtone; // share of the octave above, which makes the tone rounder than a bare sine
};

double envelope(const Note& note, double t) {
    if (t < 0.0 || t >= note.length)
        return 0.0;
    const double rise =
        t < note.attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / note.attack) : 1.0;
    // The last 10 ms fade to exact silence, so cutting the note off makes no click.
    const double tail = std::min(1.0, (note.length - t) / 0.010);
    return rise * std::exp(-t / note.decay) * tail;
}

void addNote(Signal& signal, const Note& note) {
    const int first = samplesFor(note.start);
    const int count = samplesFor(note.length);
    for (int i = 0; i < count && first + i < static_cast<int>(signal.size()); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double phase = twoPi * note.frequency * t;
        const double tone =
            (1.0 - note.overtone) * std::sin(phase) + note.overtone * std::sin(2.0 * phase);
        signal[first + i] += note.level * envelope(note, t) * tone;
    }
}

// A5 then E6, a perfect fifth above, the second entering while the first still rings.
Signal confirmationChime() {
    Signal signal(samplesFor(0.180), 0.0);
    addNote(signal, {880.0, 0.000, 0.110, 0.34, 0.006, 0.060, 0.12});
    addNote(signal, {1318.5, 0.060, 0.120, 0.30, 0.006, 0.055, 0.10});
    return signal;
}

// A damped low-mid tone with a little smoothed noise on its attack: a soft tick, not a beep.
Signal softClick() {
    Signal signal(samplesFor(0.025), 0.0);
    addNote(signal, {1500.0, 0.0, 0.025, 0.40, 0.0008, 0.0045, 0.0});
    std::uint32_t seed = 12345; // fixed, so every build writes the same bytes
    double smoothed = 0.0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = static_cast<double>(seed >> 8) / (1u << 24) * 2.0 - 1.0;
        smoothed += 0.25 * (white - smoothed);
        const double t = static_cast<double>(i) / sampleRate;
        const double swell = 1.0 - std::exp(-t / 0.0004); // no step at the first sample
        signal[i] += 0.12 * smoothed * swell * std::exp(-t / 0.002);
    }
    return signal;
}

void putLittleEndian(std::ostream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::int16_t toPcm16(double sample) {
    const double clamped = std::clamp(sample, -1.0, 1.0);
    return static_cast<std::int16_t>(std::lround(clamped * 32767.0));
}

bool writeWav(const std::filesystem::path& file, const Signal& signal) {
    constexpr std::uint32_t channels = 1;
    constexpr std::uint32_t bytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(signal.size() * bytesPerSample);

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    putLittleEndian(out, 16, 4); // size of the PCM format block
    putLittleEndian(out, 1, 2);  // PCM
    putLittleEndian(out, channels, 2);
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, sampleRate * channels * bytesPerSample, 4); // bytes per second
    putLittleEndian(out, channels * bytesPerSample, 2);              // block align
    putLittleEndian(out, 8 * bytesPerSample, 2);                     // bits per sample
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    for (double sample : signal)
        putLittleEndian(out, static_cast<std::uint16_t>(toPcm16(sample)), 2);
    out.close();
    return static_cast<bool>(out);
}

double peakOf(const Signal& signal) {
    double peak = 0.0;
    for (double sample : signal)
        peak = std::max(peak, std::abs(sample));
    return peak;
}

// A tone mix that reached full scale would clip audibly: refuse to write it.
bool writeChecked(const std::filesystem::path& file, const Signal& signal) {
    if (peakOf(signal) >= 0.95) {
        std::cerr << "makesounds: " << file << " would clip (peak " << peakOf(signal) << ")\n";
        return false;
    }
    if (!writeWav(file, signal)) {
        std::cerr << "makesounds: cannot write " << file << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makesounds <program folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const bool written = writeChecked(folder / "yes.wav", confirmationChime()) &&
                         writeChecked(folder / "click.wav", softClick());
    return written ? 0 : 1;
}
