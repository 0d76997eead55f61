#pragma once
// The reply body as the service meant it: gzip and deflate undone by us, the
// same on every platform, and never more than kMaxReplyBytes of it held.

#include <memory>
#include <string>

#include "base/RuntimeError.h"

namespace tarvex {

class ContentDecoder {
public:
    // `contentEncoding` is the reply's Content-Encoding value ("" when it
    // sent none). Throws RuntimeError(BadContentCoding), naming the coding,
    // when it is not identity, gzip, x-gzip or deflate.
    explicit ContentDecoder(const std::string& contentEncoding);
    ~ContentDecoder();
    ContentDecoder(const ContentDecoder&) = delete;
    ContentDecoder& operator=(const ContentDecoder&) = delete;

    // Decodes the next piece of the body onto `body`. Throws
    // ReplyTooLargeError once `body` would pass kMaxReplyBytes, and
    // RuntimeError(BadContentCoding) on corrupt data.
    void Feed(const char* data, size_t size, std::string& body);
    // The body has ended: throws RuntimeError(BadContentCoding) when the
    // compressed stream stopped short.
    void Finish();

private:
    struct Inflater;
    void Inflate(const char* data, size_t size, std::string& body, const RuntimeError& corrupt);
    enum class Coding { Identity, Gzip, Deflate };
    Coding coding_;
    std::string name_;  // as the reply named it, for the errors
    std::unique_ptr<Inflater> inflater_;
    bool started_ = false;
    bool ended_ = false;
    bool padding_ = false;  // what follows the end is not another member
    std::string pending_;   // the first byte of a deflate stream, until its second arrives
};

}  // namespace tarvex
