// A seeded pseudo-random sequence (xorshift32) for the generators: the same seed always gives
// the same numbers, so generated files never change between builds.
#pragma once

#include <cstdint>

namespace art {

class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}

    // The next value, in [-1, 1].
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return double(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

}  // namespace art
