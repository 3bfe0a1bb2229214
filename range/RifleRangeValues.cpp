// Picture names of the simulator screen.
#include "range/RifleRangeValues.h"

#include <cstdio>

namespace {

// "FIRST" to "LAST" with two-digit numbers before `suffix` ("01z.png" … "35z.png").
std::vector<std::string> numberedFrames(int first, int last, const char* suffix) {
    std::vector<std::string> frames;
    for (int number = first; number <= last; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "%02d%s", number, suffix);
        frames.emplace_back(name);
    }
    return frames;
}

}  // namespace

std::string RifleRangeValues::pictureName(std::string_view phoneName) const {
    std::string name(phoneName);
    const size_t dot = name.rfind('.');
    if (tablet && dot != std::string::npos) {
        name.insert(dot, "@2x");
    }
    return name;
}

std::vector<std::string> RifleRangeValues::openingSmokeFrames() {
    return numberedFrames(1, 25, ".png");
}

std::vector<std::string> RifleRangeValues::smokeFrames() const {
    if (tablet) {
        return openingSmokeFrames();
    }
    std::vector<std::string> frames(8, "00a.png");
    for (std::string& frame : numberedFrames(1, 35, "z.png")) {
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::vector<std::string> RifleRangeValues::flashFrames(int rodzajBlysku) const {
    std::vector<std::string> frames =
        rodzajBlysku == 1 ? numberedFrames(1, 3, "b.png") : numberedFrames(1, 4, "masz.png");
    for (std::string& frame : frames) {
        frame = pictureName(frame);
    }
    return frames;
}
