// Reads the video stream of a movie file with FFmpeg, one picture at a time, converted to RGBA.
// Sound tracks are ignored.
#pragma once

#include <memory>
#include <string>

#include "platform/sdl/MovieFrame.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

class MovieDecoder {
public:
    MovieDecoder();
    ~MovieDecoder();
    MovieDecoder(const MovieDecoder&) = delete;
    MovieDecoder& operator=(const MovieDecoder&) = delete;

    // Opens `path` (again, from the start, when already open); false when it is not a movie
    // with a video stream FFmpeg can decode.
    bool open(const std::string& path);
    // The next picture into `frame` (its serial is left alone) and its time in seconds from the
    // first picture; false at the end of the stream or on an error.
    bool decodeNext(MovieFrame& frame, double& seconds);
    // Seconds per picture, from the stream's frame rate (1/30 when it has none).
    double frameInterval() const { return frameInterval_; }
    // The movie's length in seconds as its container gives it; 0 when it gives none.
    double duration() const { return duration_; }

private:
    void close();
    // Pulls the next decoded picture out of the codec, feeding it packets as needed.
    bool receiveFrame();
    void convert(MovieFrame& frame);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* decoded_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    int stream_ = -1;
    double timeBase_ = 0;
    double frameInterval_ = 1.0 / 30;
    double duration_ = 0;
    long long firstTimestamp_ = 0;
    bool sawFirst_ = false;
    bool draining_ = false;
    int framesDecoded_ = 0;
};
