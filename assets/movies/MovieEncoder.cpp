// The ffmpeg pipe.
#include "movies/MovieEncoder.h"

#include <stdexcept>

namespace art {
namespace {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

}  // namespace

MovieEncoder::MovieEncoder(const std::string& ffmpegPath, const std::string& outputPath, int width,
                           int height, int framesPerSecond)
    : outputPath_(outputPath), width_(width), height_(height), pipe_(nullptr) {
    // cairo's ARGB32 pixels lie in memory as B, G, R, A. The bit-exact flags keep version
    // strings out of the file, so the same frames always give the same bytes; the ultrafast
    // preset keeps the build quick.
    std::string command = quoted(ffmpegPath) +
                          " -loglevel error -nostdin -y"
                          " -f rawvideo -pix_fmt bgra -s " +
                          std::to_string(width) + "x" + std::to_string(height) + " -r " +
                          std::to_string(framesPerSecond) +
                          " -i -"
                          " -c:v libx264 -preset ultrafast -crf 23 -pix_fmt yuv420p -threads 2"
                          " -fflags +bitexact -flags:v +bitexact -map_metadata -1"
                          " -movflags +faststart " +
                          quoted(outputPath);
    pipe_ = popen(command.c_str(), "w");
    if (!pipe_) {
        throw std::runtime_error("cannot start ffmpeg for " + outputPath);
    }
}

MovieEncoder::~MovieEncoder() {
    if (pipe_) {
        pclose(pipe_);
    }
}

void MovieEncoder::addFrame(const Canvas& frame) {
    if (frame.width() != width_ || frame.height() != height_) {
        throw std::runtime_error("a frame of the wrong size for " + outputPath_);
    }
    size_t bytes = size_t(width_) * size_t(height_) * 4;
    if (std::fwrite(frame.pixels(), 1, bytes, pipe_) != bytes) {
        throw std::runtime_error("ffmpeg stopped reading frames for " + outputPath_);
    }
}

void MovieEncoder::finish() {
    int status = pclose(pipe_);
    pipe_ = nullptr;
    if (status != 0) {
        throw std::runtime_error("ffmpeg failed to write " + outputPath_);
    }
}

}  // namespace art
