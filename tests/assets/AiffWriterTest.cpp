// The AIFF writer: the 80-bit sample rate, the byte layout of the chunks, and files that
// SDL2_mixer (the game's sound loader) decodes back to the samples written.
#include <gtest/gtest.h>

#include <cmath>

#include "MixerAudio.h"
#include "sound/AiffWriter.h"

namespace {

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& bytes, size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

std::string tagAt(const std::vector<std::uint8_t>& bytes, size_t at) {
    return std::string(bytes.begin() + long(at), bytes.begin() + long(at) + 4);
}

art::Sound sine(double seconds, int sampleRate, double frequency) {
    art::Sound sound = art::Sound::silence(seconds, sampleRate);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = float(0.5 * std::sin(2 * M_PI * frequency * double(i) / sampleRate));
    }
    return sound;
}

}  // namespace

TEST(AiffWriter, SampleRatesAreEightyBitExtendedFloats) {
    using Bytes = std::array<std::uint8_t, 10>;
    EXPECT_EQ(art::extendedFloat(44100), (Bytes{0x40, 0x0e, 0xac, 0x44, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(art::extendedFloat(22050), (Bytes{0x40, 0x0d, 0xac, 0x44, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(art::extendedFloat(8000), (Bytes{0x40, 0x0b, 0xfa, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(art::extendedFloat(1), (Bytes{0x3f, 0xff, 0x80, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(AiffWriter, ChunksAndSamplesAreLaidOutBigEndian) {
    art::Sound sound = art::Sound::silence(0, 44100);
    sound.samples = {0.0f, 1.0f, -1.0f, 2.0f};  // the last is out of range and clamped
    std::vector<std::uint8_t> bytes = art::encodeAiff(sound);

    ASSERT_EQ(bytes.size(), 12u + 26u + 24u);
    EXPECT_EQ(tagAt(bytes, 0), "FORM");
    EXPECT_EQ(bigEndian32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(tagAt(bytes, 8), "AIFF");

    EXPECT_EQ(tagAt(bytes, 12), "COMM");
    EXPECT_EQ(bigEndian32(bytes, 16), 18u);
    EXPECT_EQ(bytes[20] << 8 | bytes[21], 1);  // channels
    EXPECT_EQ(bigEndian32(bytes, 22), 4u);     // sample frames
    EXPECT_EQ(bytes[26] << 8 | bytes[27], 16);
    EXPECT_EQ(bytes[28], 0x40);
    EXPECT_EQ(bytes[29], 0x0e);

    EXPECT_EQ(tagAt(bytes, 38), "SSND");
    EXPECT_EQ(bigEndian32(bytes, 42), 8u + 8u);
    EXPECT_EQ(bigEndian32(bytes, 46), 0u);  // offset
    EXPECT_EQ(bigEndian32(bytes, 50), 0u);  // block size
    const std::vector<std::uint8_t> samples(bytes.begin() + 54, bytes.end());
    EXPECT_EQ(samples, (std::vector<std::uint8_t>{0x00, 0x00, 0x7f, 0xff, 0x80, 0x01, 0x7f, 0xff}));
}

TEST(AiffWriter, Sdl2MixerDecodesTheSamplesWritten) {
    MixerAudio mixer;
    ASSERT_TRUE(mixer.isOpen());
    art::Sound sound = sine(0.1, 44100, 440);
    std::optional<std::vector<std::int16_t>> decoded = mixer.decode(art::encodeAiff(sound));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), sound.samples.size());
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        ASSERT_NEAR((*decoded)[i], sound.samples[i] * 32767, 1.0) << "at sample " << i;
    }
}

TEST(AiffWriter, Sdl2MixerPlaysAHalfRateFileForItsFullLength) {
    MixerAudio mixer;
    ASSERT_TRUE(mixer.isOpen());
    // A wrong rate in the header would stretch or squeeze the sound when the mixer converts it.
    std::optional<std::vector<std::int16_t>> decoded =
        mixer.decode(art::encodeAiff(sine(1.0, 22050, 220)));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_NEAR(double(decoded->size()) / MixerAudio::kFrequency, 1.0, 0.01);
}
