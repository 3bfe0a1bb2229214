// Writes sounds as AIFF files: big-endian FORM/AIFF with a COMM and an SSND chunk, 16-bit mono.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/Sound.h"

namespace art {

// `value` as the 80-bit IEEE extended float of the COMM chunk's sample rate (positive whole
// numbers only, which is all a sample rate needs).
std::array<std::uint8_t, 10> extendedFloat(std::uint32_t value);

// The complete file: samples are clamped to [-1, 1] and stored as 16-bit integers.
std::vector<std::uint8_t> encodeAiff(const Sound& sound);

// Throws std::runtime_error when the file cannot be written.
void writeAiff(const Sound& sound, const std::string& path);

}  // namespace art
