// The AIFF encoder.
#include "sound/AiffWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace art {
namespace {

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, value >> 16);
    putU16(out, value & 0xffff);
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::uint8_t(tag[i]));
    }
}

}  // namespace

std::array<std::uint8_t, 10> extendedFloat(std::uint32_t value) {
    std::array<std::uint8_t, 10> bytes{};
    if (value == 0) {
        return bytes;
    }
    // value = mantissa × 2^(exponent − 16383 − 63), with the mantissa's top bit (the explicit
    // integer bit) set.
    int highestBit = 31 - std::countl_zero(value);
    std::uint32_t exponent = 16383 + std::uint32_t(highestBit);
    std::uint64_t mantissa = std::uint64_t(value) << (63 - highestBit);
    bytes[0] = std::uint8_t(exponent >> 8);
    bytes[1] = std::uint8_t(exponent);
    for (int i = 0; i < 8; ++i) {
        bytes[2 + i] = std::uint8_t(mantissa >> (56 - 8 * i));
    }
    return bytes;
}

std::vector<std::uint8_t> encodeAiff(const Sound& sound) {
    const std::uint32_t frames = std::uint32_t(sound.samples.size());
    const std::uint32_t commSize = 18;
    const std::uint32_t ssndSize = 8 + frames * 2;  // offset and block size, then the samples

    std::vector<std::uint8_t> out;
    out.reserve(12 + 8 + commSize + 8 + ssndSize);
    putTag(out, "FORM");
    putU32(out, 4 + (8 + commSize) + (8 + ssndSize));
    putTag(out, "AIFF");

    putTag(out, "COMM");
    putU32(out, commSize);
    putU16(out, 1);  // channels
    putU32(out, frames);
    putU16(out, 16);  // bits per sample
    std::array<std::uint8_t, 10> rate = extendedFloat(std::uint32_t(sound.sampleRate));
    for (std::uint8_t byte : rate) {
        out.push_back(byte);
    }

    putTag(out, "SSND");
    putU32(out, ssndSize);
    putU32(out, 0);  // offset
    putU32(out, 0);  // block size
    for (float sample : sound.samples) {
        double clamped = std::clamp(double(sample), -1.0, 1.0);
        auto value = std::int16_t(std::lround(clamped * 32767));
        putU16(out, std::uint16_t(value));
    }
    // Every chunk here has an even size, so no pad byte is ever needed.
    return out;
}

void writeAiff(const Sound& sound, const std::string& path) {
    std::vector<std::uint8_t> bytes = encodeAiff(sound);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace art
