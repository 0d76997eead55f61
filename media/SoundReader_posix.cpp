// The sound track through FFmpeg's libraries: demuxed with every other
// stream discarded, decoded, mixed to mono and resampled in one step.

#include <algorithm>
#include <cerrno>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "media/ChannelMix.h"
#include "media/MediaErrors.h"
#include "media/SoundReader.h"

namespace tarvex::media {

namespace {

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// A stream of this many undecodable packets with nothing decoded yet is a
// file the decoder cannot read, not a damaged spot in one it can.
constexpr int kBadPacketsBeforeGivingUp = 64;
constexpr int64_t kLongestLateStart = 60 * kSoundRate;

class FfmpegSoundReader : public QueuedSoundReader {
public:
    FfmpegSoundReader(const std::string& path, int64_t startMs) : path_(path), startMs_(startMs) {}

    // Apart from the constructor so that a failure half way releases what
    // was opened through the destructor.
    void Open() {
        const std::string& path = path_;
        int64_t startMs = startMs_;
        av_log_set_level(AV_LOG_QUIET);
        int result = avformat_open_input(&format_, path.c_str(), nullptr, nullptr);
        if (result < 0) ThrowUndecodable(path, ErrorText(result));
        result = avformat_find_stream_info(format_, nullptr);
        if (result < 0) ThrowUndecodable(path, ErrorText(result));
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream_ == AVERROR_STREAM_NOT_FOUND) ThrowNoSoundTrack(path);
        if (stream_ < 0 || decoder == nullptr) ThrowUndecodable(path, ErrorText(stream_));
        // The demuxer then skips the picture's packets instead of handing them over.
        for (unsigned i = 0; i < format_->nb_streams; ++i) {
            if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
        }
        codec_ = avcodec_alloc_context3(decoder);
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        if (codec_ == nullptr || packet_ == nullptr || frame_ == nullptr) throw std::bad_alloc();
        result = avcodec_parameters_to_context(codec_, format_->streams[stream_]->codecpar);
        if (result >= 0) result = avcodec_open2(codec_, decoder, nullptr);
        if (result < 0) ThrowUndecodable(path, ErrorText(result));
        // A player counts time from the earliest start of any stream, so a
        // sound track that starts later is padded with silence to match.
        origin_ = format_->start_time == AV_NOPTS_VALUE ? 0 : format_->start_time;
        if (startMs > 0) {
            result = av_seek_frame(format_, -1, origin_ + startMs * 1000, AVSEEK_FLAG_BACKWARD);
            if (result < 0) ThrowUndecodable(path, ErrorText(result));
        }
    }

    ~FfmpegSoundReader() override {
        swr_free(&resampler_);
        av_channel_layout_uninit(&inLayout_);
        av_channel_layout_uninit(&frameLayout_);
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
    }

    int64_t DurationMs() const override {
        if (format_->duration == AV_NOPTS_VALUE || format_->duration <= 0) return 0;
        return format_->duration / 1000;
    }

private:
    // Decodes until there are new samples (or silence) to hand out; false at the end.
    bool Refill() override {
        pending_.clear();
        at_ = 0;
        while (!finished_) {
            int result = avcodec_receive_frame(codec_, frame_);
            if (result == 0) {
                Convert();
                av_frame_unref(frame_);
                if (!pending_.empty() || silence_ > 0) return true;
                continue;
            }
            if (result == AVERROR_EOF) {
                Finish();
                return !pending_.empty();
            }
            if (result != AVERROR(EAGAIN)) {
                NoteBadPacket(result);
                if (inputEnded_) Finish();
                continue;
            }
            if (inputEnded_) {
                Finish();
                return !pending_.empty();
            }
            // A read error past the start is a cut-off file: what came before still counts.
            if (av_read_frame(format_, packet_) < 0) {
                avcodec_send_packet(codec_, nullptr);
                inputEnded_ = true;
                continue;
            }
            if (packet_->stream_index == stream_) {
                result = avcodec_send_packet(codec_, packet_);
                if (result < 0 && result != AVERROR(EAGAIN)) NoteBadPacket(result);
            }
            av_packet_unref(packet_);
        }
        return !pending_.empty();
    }

    void NoteBadPacket(int result) {
        lastError_ = result;
        if (!decodedAny_ && ++badPackets_ >= kBadPacketsBeforeGivingUp) ThrowUndecodable(path_, ErrorText(result));
    }

    void Finish() {
        finished_ = true;
        if (resampler_ != nullptr) Resample(nullptr, 0);
        if (!decodedAny_) ThrowUndecodable(path_, lastError_ < 0 ? ErrorText(lastError_) : "no sound in the track");
    }

    void Convert() {
        if (frame_->nb_samples <= 0) return;
        if (!decodedAny_) PlaceFirstFrame();
        decodedAny_ = true;
        if (resampler_ == nullptr || frame_->format != inFormat_ || frame_->sample_rate != inRate_ ||
            av_channel_layout_compare(&frame_->ch_layout, &frameLayout_) != 0) {
            OpenResampler();
        }
        Resample(const_cast<const uint8_t**>(frame_->extended_data), frame_->nb_samples);
    }

    // Where the first decoded sample lies against the position asked for:
    // earlier samples are skipped, a gap before it is filled with silence.
    void PlaceFirstFrame() {
        int64_t pts = frame_->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE) return;
        int64_t atUs = av_rescale_q(pts, format_->streams[stream_]->time_base, AV_TIME_BASE_Q) - origin_;
        int64_t offset = av_rescale(startMs_ * 1000 - atUs, kSoundRate, AV_TIME_BASE);
        // A track starting minutes late has a broken time stamp, not a silent start.
        if (-offset > kLongestLateStart) return;
        if (offset > 0)
            skip_ = offset;
        else
            silence_ = -offset;
    }

    void OpenResampler() {
        swr_free(&resampler_);
        av_channel_layout_uninit(&inLayout_);
        av_channel_layout_uninit(&frameLayout_);
        av_channel_layout_copy(&frameLayout_, &frame_->ch_layout);
        // A layout of bare channel counts (WAV, some AVI) is read as the
        // usual one for that count, so the mix to mono has weights.
        if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            av_channel_layout_default(&inLayout_, frame_->ch_layout.nb_channels);
        } else {
            av_channel_layout_copy(&inLayout_, &frame_->ch_layout);
        }
        inFormat_ = frame_->format;
        inRate_ = frame_->sample_rate;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        int result = swr_alloc_set_opts2(&resampler_, &mono, AV_SAMPLE_FMT_FLT, kSoundRate, &inLayout_,
                                         static_cast<AVSampleFormat>(inFormat_), inRate_, 0, nullptr);
        if (result < 0) ThrowUndecodable(path_, ErrorText(result));
        ChannelRoles roles;
        roles.Count = inLayout_.nb_channels;
        roles.Centre = av_channel_layout_index_from_channel(&inLayout_, AV_CHAN_FRONT_CENTER);
        roles.Left = av_channel_layout_index_from_channel(&inLayout_, AV_CHAN_FRONT_LEFT);
        roles.Right = av_channel_layout_index_from_channel(&inLayout_, AV_CHAN_FRONT_RIGHT);
        std::vector<double> weights = MonoWeights(roles);
        result = swr_set_matrix(resampler_, weights.data(), roles.Count);
        // A filter of half the usual length: resampling was a third of the
        // decoding time, and judging speech needs no hi-fi band edge.
        if (result >= 0) result = av_opt_set_int(resampler_, "filter_size", 16, 0);
        if (result >= 0) result = swr_init(resampler_);
        if (result < 0) ThrowUndecodable(path_, ErrorText(result));
    }

    void Resample(const uint8_t** input, int count) {
        // Room for what is held back from earlier input as well as this
        // input; what does not fit would be lost.
        int64_t held = swr_get_delay(resampler_, inRate_);
        int room = static_cast<int>(av_rescale_rnd(held + count, kSoundRate, inRate_, AV_ROUND_UP)) + 32;
        size_t before = pending_.size();
        pending_.resize(before + static_cast<size_t>(room));
        uint8_t* out = reinterpret_cast<uint8_t*>(pending_.data() + before);
        int made = swr_convert(resampler_, &out, room, input, count);
        if (made < 0) ThrowUndecodable(path_, ErrorText(made));
        pending_.resize(before + static_cast<size_t>(made));
        if (skip_ > 0) {
            size_t dropped = static_cast<size_t>(std::min<int64_t>(skip_, static_cast<int64_t>(pending_.size())));
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(dropped));
            skip_ -= static_cast<int64_t>(dropped);
        }
    }

    std::string path_;
    int64_t startMs_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVChannelLayout inLayout_{};
    AVChannelLayout frameLayout_{};  // as the decoder gives it, to see when it changes
    int inFormat_ = -1;
    int inRate_ = 0;
    int stream_ = -1;
    int64_t origin_ = 0;
    int64_t skip_ = 0;  // samples still to drop before the position asked for
    bool inputEnded_ = false;
    bool finished_ = false;
    bool decodedAny_ = false;
    int badPackets_ = 0;
    int lastError_ = 0;
};

}  // namespace

bool ReadersRunSideBySide() {
    return true;  // each reader has a decoder of its own
}

std::unique_ptr<SoundReader> OpenSoundReader(const std::string& path, int64_t startMs) {
    auto reader = std::make_unique<FfmpegSoundReader>(path, startMs);
    reader->Open();
    return reader;
}

}  // namespace tarvex::media
