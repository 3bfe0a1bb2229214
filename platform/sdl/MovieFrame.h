// A decoded movie picture as the renderer takes it: RGBA bytes, four per pixel, row after row.
// The serial number changes whenever the pixels do, so the renderer uploads each picture once.
#pragma once

#include <cstdint>
#include <vector>

struct MovieFrame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    uint64_t serial = 0;
};
