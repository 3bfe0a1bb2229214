// Turns drawn frames into a movie file by piping raw pixels into the ffmpeg command-line tool
// (H.264 in an MP4 or QuickTime container, chosen by the file's extension).
#pragma once

#include <cstdio>
#include <string>

#include "draw/Canvas.h"

namespace art {

class MovieEncoder {
public:
    // Starts ffmpeg writing `outputPath`; throws std::runtime_error when it cannot start.
    MovieEncoder(const std::string& ffmpegPath, const std::string& outputPath, int width,
                 int height, int framesPerSecond);
    ~MovieEncoder();
    MovieEncoder(const MovieEncoder&) = delete;
    MovieEncoder& operator=(const MovieEncoder&) = delete;

    // Sends one frame; it must have the movie's size.
    void addFrame(const Canvas& frame);
    // Ends the stream and waits for ffmpeg; throws when ffmpeg failed.
    void finish();

private:
    std::string outputPath_;
    int width_;
    int height_;
    std::FILE* pipe_;
};

}  // namespace art
