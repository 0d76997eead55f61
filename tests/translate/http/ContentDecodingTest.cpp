// Our own undoing of gzip and deflate: every wrapping servers use, fed in
// pieces as the network delivers them, bounded, and failing by name.

#include "translate/http/ContentDecoding.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "support/RaisedError.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {
namespace {

// `text` compressed with zlib's windowBits: 31 gzip, 15 zlib-wrapped, -15 bare.
std::string Compressed(const std::string& text, int windowBits) {
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, text.size()) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Decodes `data` fed `piece` bytes at a time.
std::string Decoded(const std::string& coding, const std::string& data, size_t piece) {
    ContentDecoder decoder(coding);
    std::string body;
    for (size_t at = 0; at < data.size(); at += piece)
        decoder.Feed(data.data() + at, std::min(piece, data.size() - at), body);
    decoder.Finish();
    return body;
}

TEST(ContentDecodingTest, EveryCodingAndWrappingInAnyPieces) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "[\"segment " + std::to_string(i * 7919 % 1000) + "\",";
    for (size_t piece : {size_t{1}, size_t{2}, size_t{7}, size_t{100000}}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(Decoded("", text, piece), text);
        EXPECT_EQ(Decoded(" Identity ", text, piece), text);
        EXPECT_EQ(Decoded("gzip", Compressed(text, 31), piece), text);
        EXPECT_EQ(Decoded("X-GZIP", Compressed(text, 31), piece), text);
        EXPECT_EQ(Decoded("deflate", Compressed(text, 15), piece), text);
        EXPECT_EQ(Decoded("deflate", Compressed(text, -15), piece), text);
        EXPECT_EQ(Decoded("identity, gzip", Compressed(text, 31), piece), text);
    }
    // Two gzip members one after the other are one body; an empty body with
    // a coding is an empty body.
    EXPECT_EQ(Decoded("gzip", Compressed("first ", 31) + Compressed("second", 31), 3), "first second");
    // Padding after the end is ignored whole, even where a piece of it
    // starts like a gzip member.
    for (size_t piece : {size_t{1}, size_t{3}, size_t{1000}})
        EXPECT_EQ(Decoded("gzip", Compressed("end", 31) + std::string("\0\0\x1f\x8b\0\0", 6), piece), "end") << piece;
    EXPECT_EQ(Decoded("deflate", "", 1), "");
}

TEST(ContentDecodingTest, UnknownCodingsAndCorruptDataFailByName) {
    std::string text;
    EXPECT_EQ(test::NumberRaisedBy([] { ContentDecoder decoder("br"); }, &text), ErrorNumber::BadContentCoding);
    EXPECT_EQ(text, "Unsupported content coding in the reply: br");
    EXPECT_EQ(test::NumberRaisedBy([] { ContentDecoder decoder("gzip, deflate"); }), ErrorNumber::BadContentCoding);

    const std::string gzip = Compressed("Hello world, hello world", 31);
    EXPECT_EQ(test::NumberRaisedBy([&] { Decoded("gzip", "not gzip at all", 4); }, &text),
              ErrorNumber::BadContentCoding);
    EXPECT_EQ(text, "Corrupt gzip data in the reply");
    EXPECT_EQ(test::NumberRaisedBy([&] { Decoded("gzip", gzip.substr(0, gzip.size() - 6), 4); }, &text),
              ErrorNumber::BadContentCoding);
    EXPECT_EQ(text, "Corrupt gzip data in the reply: it ends early");
    std::string flipped = Compressed("Hello world, hello world", 15);
    flipped[flipped.size() - 1] ^= 0x55;  // the Adler-32 check fails
    EXPECT_EQ(test::NumberRaisedBy([&] { Decoded("deflate", flipped, 5); }), ErrorNumber::BadContentCoding);
}

TEST(ContentDecodingTest, ABodyIsBoundedAfterDecoding) {
    // Exactly the limit passes; one byte more, from a body of a few kB, fails
    // before the body is held whole.
    const std::string limit(kMaxReplyBytes, 'z');
    EXPECT_EQ(Decoded("gzip", Compressed(limit, 31), 4096).size(), kMaxReplyBytes);
    const std::string bomb = Compressed(limit + "z", 31);
    ASSERT_LT(bomb.size(), size_t{10000});
    std::string body;
    ContentDecoder decoder("gzip");
    std::string text;
    EXPECT_EQ(test::NumberRaisedBy([&] { decoder.Feed(bomb.data(), bomb.size(), body); }, &text),
              ErrorNumber::ReplyTooLarge);
    EXPECT_EQ(text, "Reply too large: over 4 MiB after decoding");
    EXPECT_LE(body.size(), kMaxReplyBytes);
    EXPECT_EQ(test::NumberRaisedBy([] { Decoded("", std::string(kMaxReplyBytes + 1, 'p'), 65536); }),
              ErrorNumber::ReplyTooLarge);
}

}  // namespace
}  // namespace tarvex
