#include "translate/http/ContentDecoding.h"

#include <zlib.h>

#include <vector>

#include "base/RuntimeError.h"
#include "translate/http/HeaderText.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {

namespace {

// A zlib stream starts with a header whose two bytes, read as one big-endian
// number, are a multiple of 31 and name the deflate method; a bare deflate
// stream cannot start that way in practice.
bool LooksZlibWrapped(unsigned char first, unsigned char second) {
    return (first & 0x0f) == 8 && (first >> 4) <= 7 && ((first << 8) | second) % 31 == 0;
}

}  // namespace

struct ContentDecoder::Inflater {
    z_stream Stream = {};
    bool Open = false;
    ~Inflater() {
        if (Open) inflateEnd(&Stream);
    }
};

ContentDecoder::ContentDecoder(const std::string& contentEncoding) : name_(TrimmedBlanks(contentEncoding)) {
    // A list of codings, applied in order; identity changes nothing.
    std::vector<std::string> codings;
    std::string rest = LowerAscii(name_) + ",";
    for (size_t comma = rest.find(','); comma != std::string::npos; comma = rest.find(',')) {
        std::string one = TrimmedBlanks(rest.substr(0, comma));
        rest.erase(0, comma + 1);
        if (!one.empty() && one != "identity") codings.push_back(one);
    }
    if (codings.empty()) {
        coding_ = Coding::Identity;
    } else if (codings.size() == 1 && (codings[0] == "gzip" || codings[0] == "x-gzip")) {
        coding_ = Coding::Gzip;
    } else if (codings.size() == 1 && codings[0] == "deflate") {
        coding_ = Coding::Deflate;
    } else {
        throw RuntimeError(ErrorNumber::BadContentCoding, "Unsupported content coding in the reply: " + name_);
    }
}

ContentDecoder::~ContentDecoder() = default;

void ContentDecoder::Feed(const char* data, size_t size, std::string& body) {
    if (coding_ == Coding::Identity) {
        if (!AppendWithinLimit(body, data, size)) throw ReplyTooLargeError();
        return;
    }
    const RuntimeError corrupt(ErrorNumber::BadContentCoding, "Corrupt " + name_ + " data in the reply");
    if (!started_) {
        // The wrapping of a deflate stream shows in its first two bytes.
        if (coding_ == Coding::Deflate && pending_.size() + size < 2) {
            pending_.append(data, size);
            return;
        }
        std::string first = pending_;
        first.append(data, size);
        pending_.clear();
        int windowBits = 15 + 16;  // gzip
        if (coding_ == Coding::Deflate)
            windowBits =
                LooksZlibWrapped(static_cast<unsigned char>(first[0]), static_cast<unsigned char>(first[1])) ? 15 : -15;
        inflater_ = std::make_unique<Inflater>();
        if (inflateInit2(&inflater_->Stream, windowBits) != Z_OK) throw RuntimeError(ErrorNumber::OutOfMemory);
        inflater_->Open = true;
        started_ = true;
        Inflate(first.data(), first.size(), body, corrupt);
        return;
    }
    Inflate(data, size, body, corrupt);
}

void ContentDecoder::Inflate(const char* data, size_t size, std::string& body, const RuntimeError& corrupt) {
    if (padding_) return;
    z_stream& stream = inflater_->Stream;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = static_cast<uInt>(size);
    while (stream.avail_in > 0 || !ended_) {
        if (ended_) {
            // Another gzip member may follow; anything else after the end is
            // padding some servers add, and is ignored to the body's end,
            // however the network cuts it.
            if (coding_ != Coding::Gzip || *stream.next_in != 0x1f) {
                padding_ = true;
                return;
            }
            inflateReset(&stream);
            ended_ = false;
        }
        char out[16384];
        stream.next_out = reinterpret_cast<Bytef*>(out);
        stream.avail_out = sizeof out;
        int result = inflate(&stream, Z_NO_FLUSH);
        size_t produced = sizeof out - stream.avail_out;
        if (produced > 0 && !AppendWithinLimit(body, out, produced)) throw ReplyTooLargeError();
        if (result == Z_STREAM_END) {
            ended_ = true;
            continue;
        }
        if (result == Z_MEM_ERROR) throw RuntimeError(ErrorNumber::OutOfMemory);
        if (result == Z_BUF_ERROR) return;  // all input taken, nothing more to give yet
        if (result != Z_OK) throw corrupt;
        if (stream.avail_in == 0 && stream.avail_out != 0) return;
    }
}

void ContentDecoder::Finish() {
    if (coding_ == Coding::Identity || (!started_ && pending_.empty())) return;  // an empty body is fine
    if (!ended_)
        throw RuntimeError(ErrorNumber::BadContentCoding, "Corrupt " + name_ + " data in the reply: it ends early");
}

}  // namespace tarvex
