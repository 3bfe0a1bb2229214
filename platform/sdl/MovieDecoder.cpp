// FFmpeg demuxing, decoding and conversion of a movie's video stream.
#include "platform/sdl/MovieDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

MovieDecoder::MovieDecoder() = default;

MovieDecoder::~MovieDecoder() {
    close();
}

void MovieDecoder::close() {
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    av_packet_free(&packet_);
    av_frame_free(&decoded_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    stream_ = -1;
    sawFirst_ = false;
    draining_ = false;
    framesDecoded_ = 0;
    duration_ = 0;
}

bool MovieDecoder::open(const std::string& path) {
    close();
    if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) != 0) {
        return false;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) {
        close();
        return false;
    }
    const AVCodec* decoder = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (stream_ < 0 || !decoder) {
        close();
        return false;
    }
    AVStream* stream = format_->streams[stream_];
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, stream->codecpar) < 0 ||
        avcodec_open2(codec_, decoder, nullptr) < 0) {
        close();
        return false;
    }
    decoded_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!decoded_ || !packet_) {
        close();
        return false;
    }
    timeBase_ = av_q2d(stream->time_base);
    AVRational rate =
        stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    frameInterval_ = rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : 1.0 / 30;
    duration_ = format_->duration > 0 ? double(format_->duration) / AV_TIME_BASE : 0;
    return true;
}

bool MovieDecoder::receiveFrame() {
    while (true) {
        const int received = avcodec_receive_frame(codec_, decoded_);
        if (received == 0) {
            return true;
        }
        if (received != AVERROR(EAGAIN) || draining_) {
            return false;
        }
        // The codec wants more input: the next packet of our stream, or the end of the stream.
        bool fed = false;
        while (!fed) {
            if (av_read_frame(format_, packet_) < 0) {
                avcodec_send_packet(codec_, nullptr);
                draining_ = true;
                fed = true;
            } else {
                if (packet_->stream_index == stream_) {
                    fed = avcodec_send_packet(codec_, packet_) == 0;
                }
                av_packet_unref(packet_);
            }
        }
    }
}

bool MovieDecoder::decodeNext(MovieFrame& frame, double& seconds) {
    if (!codec_ || !receiveFrame()) {
        return false;
    }
    long long timestamp = decoded_->best_effort_timestamp;
    if (timestamp == AV_NOPTS_VALUE) {
        seconds = framesDecoded_ * frameInterval_;
    } else {
        if (!sawFirst_) {
            firstTimestamp_ = timestamp;
            sawFirst_ = true;
        }
        seconds = static_cast<double>(timestamp - firstTimestamp_) * timeBase_;
    }
    ++framesDecoded_;
    convert(frame);
    av_frame_unref(decoded_);
    return true;
}

void MovieDecoder::convert(MovieFrame& frame) {
    const int width = decoded_->width;
    const int height = decoded_->height;
    scaler_ = sws_getCachedContext(scaler_, width, height,
                                   static_cast<AVPixelFormat>(decoded_->format), width, height,
                                   AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr, nullptr);
    frame.width = width;
    frame.height = height;
    frame.pixels.resize(static_cast<size_t>(width) * height * 4);
    if (!scaler_) {
        return;
    }
    uint8_t* destination[4] = {frame.pixels.data(), nullptr, nullptr, nullptr};
    int strides[4] = {width * 4, 0, 0, 0};
    sws_scale(scaler_, decoded_->data, decoded_->linesize, 0, height, destination, strides);
}
