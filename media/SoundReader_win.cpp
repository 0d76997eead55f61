// The sound track through Media Foundation's Source Reader, which ships with
// Windows: its decoders hand over 16-bit PCM at the file's own rate and
// channels, which are mixed to mono and resampled here.

#include <windows.h>
// windows.h first: the Media Foundation headers build on its types.
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>
#include <vector>

#include "media/ChannelMix.h"
#include "media/MediaErrors.h"
#include "media/Resampler.h"
#include "media/SoundReader.h"

namespace tarvex::media {

namespace {

template <typename T>
class ComHeld {
public:
    ComHeld() = default;
    ComHeld(const ComHeld&) = delete;
    ComHeld& operator=(const ComHeld&) = delete;
    ~ComHeld() { Reset(); }
    void Reset() {
        if (object_ != nullptr) object_->Release();
        object_ = nullptr;
    }
    T** Out() {
        Reset();
        return &object_;
    }
    T* operator->() const { return object_; }
    T* Get() const { return object_; }

private:
    T* object_ = nullptr;
};

std::string HresultText(HRESULT hr) {
    char text[32];
    std::snprintf(text, sizeof text, "error 0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

std::wstring WidePath(const std::string& path) {
    // Paths travel in the system's ANSI code page, as the file routines take them.
    int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

// Readers are made, read and released one call at a time, and a film is
// read by one reader: Wine's Media Foundation, built on GStreamer, crashes
// or hangs when two readers work on two threads, even one call at a time.
std::mutex& OneCallAtATime() {
    static std::mutex mutex;
    return mutex;
}

constexpr DWORD kAudio = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);
constexpr int64_t kTicksPerMs = 10000;  // Media Foundation counts time in 100 ns
constexpr int64_t kLongestLateStart = 60 * kSoundRate;

class MfSoundReader : public QueuedSoundReader {
public:
    MfSoundReader(const std::string& path, int64_t startMs) : path_(path), startMs_(startMs) {}

    ~MfSoundReader() override {
        std::lock_guard<std::mutex> lock(OneCallAtATime());
        reader_.Reset();
        if (started_) MFShutdown();
        if (comStarted_) CoUninitialize();
    }

    void Open() {
        std::lock_guard<std::mutex> lock(OneCallAtATime());
        HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        // A thread already in a single-threaded apartment works as it is.
        comStarted_ = SUCCEEDED(hr);
        hr = MFStartup(MF_VERSION, MFSTARTUP_LITE);
        if (FAILED(hr)) ThrowUndecodable(path_, "Media Foundation is not available (" + HresultText(hr) + ")");
        started_ = true;
        if (GetFileAttributesW(WidePath(path_).c_str()) == INVALID_FILE_ATTRIBUTES) {
            ThrowUndecodable(path_, "the file cannot be found");
        }
        hr = MFCreateSourceReaderFromURL(WidePath(path_).c_str(), nullptr, reader_.Out());
        if (FAILED(hr))
            ThrowUndecodable(path_, "not a film or sound file the system can read (" + HresultText(hr) + ")");
        reader_->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
        hr = reader_->SetStreamSelection(kAudio, TRUE);
        if (hr == MF_E_INVALIDSTREAMNUMBER) ThrowNoSoundTrack(path_);
        if (FAILED(hr)) ThrowUndecodable(path_, HresultText(hr));
        AskForPcm();
        PROPVARIANT duration;
        PropVariantInit(&duration);
        if (SUCCEEDED(reader_->GetPresentationAttribute(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE),
                                                        MF_PD_DURATION, &duration)) &&
            duration.vt == VT_UI8) {
            durationMs_ = static_cast<int64_t>(duration.uhVal.QuadPart) / kTicksPerMs;
        }
        PropVariantClear(&duration);
        if (startMs_ > 0) {
            PROPVARIANT position;
            PropVariantInit(&position);
            position.vt = VT_I8;
            position.hVal.QuadPart = startMs_ * kTicksPerMs;
            hr = reader_->SetCurrentPosition(GUID_NULL, position);
            if (FAILED(hr)) ThrowUndecodable(path_, "cannot seek (" + HresultText(hr) + ")");
        }
    }

    int64_t DurationMs() const override { return durationMs_; }

private:
    // 16-bit PCM at whatever rate and channels the decoder has; the rest is
    // done here, where it is the same on every system.
    void AskForPcm() {
        ComHeld<IMFMediaType> wanted;
        HRESULT hr = MFCreateMediaType(wanted.Out());
        if (SUCCEEDED(hr)) hr = wanted->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio);
        if (SUCCEEDED(hr)) hr = wanted->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_PCM);
        if (SUCCEEDED(hr)) hr = wanted->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16);
        if (SUCCEEDED(hr)) hr = reader_->SetCurrentMediaType(kAudio, nullptr, wanted.Get());
        if (FAILED(hr)) ThrowUndecodable(path_, "no decoder for its sound (" + HresultText(hr) + ")");
        LearnFormat();
    }

    void LearnFormat() {
        ComHeld<IMFMediaType> current;
        HRESULT hr = reader_->GetCurrentMediaType(kAudio, current.Out());
        UINT32 channels = 0, rate = 0, bits = 0;
        if (SUCCEEDED(hr)) hr = current->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels);
        if (SUCCEEDED(hr)) hr = current->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
        if (SUCCEEDED(hr)) hr = current->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits);
        if (FAILED(hr) || channels == 0 || rate == 0 || bits != 16) {
            ThrowUndecodable(path_, "the decoder gives no usable sound format");
        }
        if (static_cast<int>(rate) != rate_) resampler_.emplace(static_cast<int>(rate), kSoundRate);
        channels_ = static_cast<int>(channels);
        // The mask lists the speakers present in channel order; without one
        // the usual order for the count is meant.
        UINT32 mask = 0;
        if (FAILED(current->GetUINT32(MF_MT_AUDIO_CHANNEL_MASK, &mask))) mask = 0;
        ChannelRoles roles;
        roles.Count = channels_;
        if (mask == 0 && channels_ >= 3) mask = SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT | SPEAKER_FRONT_CENTER;
        auto indexOf = [mask](DWORD speaker) {
            return (mask & speaker) ? __builtin_popcount(mask & (speaker - 1)) : -1;
        };
        roles.Left = indexOf(SPEAKER_FRONT_LEFT);
        roles.Right = indexOf(SPEAKER_FRONT_RIGHT);
        roles.Centre = indexOf(SPEAKER_FRONT_CENTER);
        weights_.clear();
        for (double weight : MonoWeights(roles)) weights_.push_back(static_cast<float>(weight / 32768));
        rate_ = static_cast<int>(rate);
    }

    bool Refill() override {
        pending_.clear();
        at_ = 0;
        while (!ended_) {
            DWORD flags = 0;
            LONGLONG timestamp = 0;
            ComHeld<IMFSample> sample;
            HRESULT hr;
            {
                std::lock_guard<std::mutex> lock(OneCallAtATime());
                hr = reader_->ReadSample(kAudio, 0, nullptr, &flags, &timestamp, sample.Out());
            }
            if (FAILED(hr) || (flags & MF_SOURCE_READERF_ERROR)) {
                // Past the start a failure is a damaged or cut-off end: what came before counts.
                if (!decodedAny_) ThrowUndecodable(path_, HresultText(hr));
                Finish();
                break;
            }
            if (flags & MF_SOURCE_READERF_CURRENTMEDIATYPECHANGED) {
                if (resampler_) resampler_->Flush(pending_);
                resampler_.reset();
                rate_ = 0;
                LearnFormat();
            }
            if (sample.Get() != nullptr) Convert(sample.Get(), timestamp);
            if (flags & MF_SOURCE_READERF_ENDOFSTREAM) Finish();
            if (!pending_.empty() || silence_ > 0) return true;
        }
        return !pending_.empty();
    }

    void Finish() {
        ended_ = true;
        if (resampler_) {
            resampler_->Flush(pending_);
            DropSkipped();
        }
        if (!decodedAny_) ThrowUndecodable(path_, "no sound in the track");
    }

    void Convert(IMFSample* sample, LONGLONG timestamp) {
        ComHeld<IMFMediaBuffer> buffer;
        if (FAILED(sample->ConvertToContiguousBuffer(buffer.Out()))) return;
        BYTE* data = nullptr;
        DWORD length = 0;
        if (FAILED(buffer->Lock(&data, nullptr, &length))) return;
        const size_t frames = length / (2 * static_cast<size_t>(channels_));
        if (frames > 0 && !decodedAny_) PlaceFirst(timestamp);
        mono_.resize(frames);
        const int16_t* pcm = reinterpret_cast<const int16_t*>(data);
        const size_t channels = static_cast<size_t>(channels_);
        for (size_t i = 0; i < frames; ++i) {
            float sum = 0;
            for (size_t c = 0; c < channels; ++c) sum += weights_[c] * pcm[i * channels + c];
            mono_[i] = sum;
        }
        buffer->Unlock();
        if (frames == 0) return;
        decodedAny_ = true;
        if (resampler_) {
            resampler_->Process(mono_.data(), mono_.size(), pending_);
        } else {
            pending_.insert(pending_.end(), mono_.begin(), mono_.end());
        }
        DropSkipped();
    }

    // Where the first decoded sample lies against the position asked for:
    // a seek lands a little before it, and a track may start late.
    void PlaceFirst(LONGLONG timestamp) {
        int64_t offset = (startMs_ * kTicksPerMs - timestamp) * kSoundRate / (1000 * kTicksPerMs);
        // A track starting minutes late has a broken time stamp, not a silent start.
        if (-offset > kLongestLateStart) return;
        if (offset > 0)
            skip_ = offset;
        else
            silence_ = -offset;
    }

    void DropSkipped() {
        if (skip_ <= 0) return;
        size_t dropped = static_cast<size_t>(std::min<int64_t>(skip_, static_cast<int64_t>(pending_.size())));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(dropped));
        skip_ -= static_cast<int64_t>(dropped);
    }

    std::string path_;
    int64_t startMs_;
    bool comStarted_ = false;
    bool started_ = false;
    ComHeld<IMFSourceReader> reader_;
    int64_t durationMs_ = 0;
    int channels_ = 0;
    std::vector<float> weights_;  // per channel, with the scale of 16-bit samples
    int rate_ = 0;
    std::optional<MonoResampler> resampler_;
    std::vector<float> mono_;
    int64_t skip_ = 0;
    bool ended_ = false;
    bool decodedAny_ = false;
};

}  // namespace

bool ReadersRunSideBySide() {
    return false;
}

std::unique_ptr<SoundReader> OpenSoundReader(const std::string& path, int64_t startMs) {
    auto reader = std::make_unique<MfSoundReader>(path, startMs);
    reader->Open();
    return reader;
}

}  // namespace tarvex::media
