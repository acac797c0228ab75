#include "platform/sound.h"
#include "tempfolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using ombrix::platform::Sounds;
namespace fs = std::filesystem;

namespace {

struct WavInfo {
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int byteRate = 0;
    int blockAlign = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Walks the RIFF chunks the way a player does; nothing when the structure is broken.
std::optional<WavInfo> parseWav(const std::string& bytes) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0 ||
        littleEndian(bytes, 4, 4) != bytes.size() - 8)
        return std::nullopt;
    WavInfo info;
    bool haveFormat = false;
    bool haveData = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            info.format = littleEndian(bytes, body, 2);
            info.channels = littleEndian(bytes, body + 2, 2);
            info.sampleRate = littleEndian(bytes, body + 4, 4);
            info.byteRate = littleEndian(bytes, body + 8, 4);
            info.blockAlign = littleEndian(bytes, body + 12, 2);
            info.bitsPerSample = littleEndian(bytes, body + 14, 2);
            haveFormat = true;
        } else if (id == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2)
                info.samples.push_back(static_cast<std::int16_t>(littleEndian(bytes, body + i, 2)));
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to even length
    }
    if (!haveFormat || !haveData)
        return std::nullopt;
    return info;
}

struct SoundFile {
    const char* name;
    double minMs;
    double maxMs;
};

class GeneratedSound : public testing::TestWithParam<SoundFile> {};

TEST_P(GeneratedSound, IsPlainPcmOfTheRightLengthLevelAndEdges) {
    const auto file = fs::path(PROGRAM_DIR) / GetParam().name;
    ASSERT_TRUE(fs::exists(file)) << file;
    const auto wav = parseWav(readBytes(file));
    ASSERT_TRUE(wav) << "not a well-formed RIFF/WAVE file: " << file;

    EXPECT_EQ(wav->format, 1) << "PCM";
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->sampleRate, 44100);
    EXPECT_EQ(wav->bitsPerSample, 16);
    EXPECT_EQ(wav->blockAlign, 2);
    EXPECT_EQ(wav->byteRate, 88200);

    const double ms = 1000.0 * wav->samples.size() / 44100.0;
    EXPECT_GE(ms, GetParam().minMs);
    EXPECT_LE(ms, GetParam().maxMs);

    int peak = 0;
    for (std::int16_t sample : wav->samples)
        peak = std::max(peak, std::abs(int(sample)));
    EXPECT_LT(peak, 32767 * 95 / 100) << "too close to full scale: it would clip";
    EXPECT_GT(peak, 32767 * 5 / 100) << "practically silent";

    // A sound that starts or stops away from zero pops audibly.
    ASSERT_FALSE(wav->samples.empty());
    EXPECT_LT(std::abs(int(wav->samples.front())), 328);
    EXPECT_LT(std::abs(int(wav->samples.back())), 328);
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, GeneratedSound,
                         testing::Values(SoundFile{"yes.wav", 120, 300},
                                         SoundFile{"click.wav", 10, 60}),
                         [](const auto& info) {
                             return std::string(info.param.name).substr(0, 3) == "yes" ? "Yes"
                                                                                       : "Click";
                         });

// When audio objects come into being: only when a sound is really to be played.
struct LoadCase {
    const char* name;
    bool enabled;
    bool realFolder;
    bool play;
    bool expectLoaded;
};

class SoundLoading : public testing::TestWithParam<LoadCase> {};

TEST_P(SoundLoading, CreatesAudioOnlyForARealPlay) {
    const LoadCase& row = GetParam();
    TempFolder empty;
    Sounds sounds(row.realFolder ? fs::path(PROGRAM_DIR) : empty / "no-such-folder");
    sounds.setEnabled(row.enabled);
    if (row.play) {
        sounds.playYes();
        sounds.playClick();
    }
    EXPECT_EQ(sounds.loaded(), row.expectLoaded);
    QCoreApplication::processEvents();
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundLoading,
                         testing::Values(LoadCase{"NotBeforeTheFirstPlay", true, true, false,
                                                  false},
                                         LoadCase{"NeverWithSoundOff", false, true, true, false},
                                         LoadCase{"NeverForMissingFiles", true, false, true, false},
                                         LoadCase{"AtTheFirstPlay", true, true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sounds, SwitchingOffStopsFurtherLoading) {
    Sounds sounds(PROGRAM_DIR);
    sounds.setEnabled(false);
    sounds.playYes();
    sounds.setEnabled(true);
    EXPECT_FALSE(sounds.loaded());
    sounds.playYes();
    EXPECT_TRUE(sounds.loaded());
}

// Without an audio server a sound never finishes; quick repeated plays must still return,
// each in far less than the sound itself lasts.
TEST(Sounds, RepeatedPlaysReturnWhileTheFirstStillSounds) {
    Sounds sounds(PROGRAM_DIR);
    sounds.playYes(); // the first play pays for creating the audio objects
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 5; ++round) {
        sounds.playYes();
        sounds.playClick();
    }
    EXPECT_LT(clock.elapsed(), 100) << "a play call waited for the sound";
    EXPECT_TRUE(sounds.loaded());
    QCoreApplication::processEvents();
}

} // namespace
