// Reading a response off a connection's bytes, however they are cut: every
// framing, where one response ends, and the answers that are refused.

#include "translate/http/HttpResponseParser.h"

#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "support/RaisedError.h"
#include "translate/http/HttpLimits.h"

namespace tarvex {
namespace {

struct Parsed {
    std::string Body;
    HttpResponseParser Parser{
        [this](const HttpResponseParser&, const char* data, size_t size) { Body.append(data, size); }};
    // Feeds `bytes` in pieces of `piece`; answers how many were taken.
    size_t Feed(const std::string& bytes, size_t piece) {
        size_t taken = 0;
        for (size_t at = 0; at < bytes.size() && !Parser.Done(); at += piece)
            taken += Parser.Feed(bytes.data() + at, std::min(piece, bytes.size() - at));
        return taken;
    }
};

TEST(HttpResponseParserTest, EveryFramingInAnyPieces) {
    const std::string lengthed =
        "HTTP/1.1 100 Continue\r\n\r\n"
        "HTTP/1.1 429 Too Many Requests\r\nRetry-After: 3\r\ncontent-encoding: gzip\r\nContent-Encoding:  x \r\n"
        "Content-Length: 11\r\n\r\nhello world";
    const std::string chunked =
        "HTTP/1.1 200 OK\nTransfer-Encoding: chunked\nX-Folded: a\n  b\n\n"
        "5;ext=1\r\nhello\r\n1\r\n \r\n5\r\nworld\r\n0\r\nTrailer: t\r\n\r\n";
    for (size_t piece : {size_t{1}, size_t{3}, size_t{4096}}) {
        SCOPED_TRACE(piece);
        Parsed first;
        EXPECT_EQ(first.Feed(lengthed + "HTTP/1.1 200 OK\r\n", piece), lengthed.size());
        EXPECT_TRUE(first.Parser.Done());
        EXPECT_EQ(first.Parser.Status(), 429);
        EXPECT_EQ(first.Parser.Reason(), "Too Many Requests");
        EXPECT_EQ(first.Parser.Header("retry-after"), "3");
        EXPECT_EQ(first.Parser.Header("Content-Encoding"), "gzip, x");
        EXPECT_EQ(first.Body, "hello world");
        EXPECT_TRUE(first.Parser.KeepAlive());

        Parsed second;
        EXPECT_EQ(second.Feed(chunked, piece), chunked.size());
        EXPECT_TRUE(second.Parser.Done());
        EXPECT_EQ(second.Body, "hello world");
        EXPECT_EQ(second.Parser.Header("X-Folded"), "a b");
        EXPECT_TRUE(second.Parser.KeepAlive());

        // HTTP/1.0 closes unless asked not to; a body without a length runs
        // to the connection's end.
        Parsed third;
        third.Feed("HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\n\r\nto the end", piece);
        EXPECT_FALSE(third.Parser.Done());
        third.Parser.FeedEnd();
        EXPECT_TRUE(third.Parser.Done());
        EXPECT_EQ(third.Body, "to the end");
        EXPECT_FALSE(third.Parser.KeepAlive());
    }
    Parsed closing;
    closing.Feed("HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n", 7);
    EXPECT_TRUE(closing.Parser.Done());
    EXPECT_FALSE(closing.Parser.KeepAlive());
}

TEST(HttpResponseParserTest, EndlessBrokenAndCutAnswersAreRefused) {
    // Endless header lines, or one endless line, stop at the bound.
    for (const std::string& line : {std::string("X-Pad: ") + std::string(1000, 'p') + "\r\n", std::string("p")}) {
        Parsed endless;
        endless.Feed("HTTP/1.1 200 OK\r\n", 100);
        std::string text;
        EXPECT_EQ(test::NumberRaisedBy(
                      [&] {
                          for (size_t sent = 0; sent < 10 * kMaxHeaderBytes; sent += line.size())
                              endless.Parser.Feed(line.data(), line.size());
                      },
                      &text),
                  ErrorNumber::ReplyTooLarge);
        EXPECT_EQ(text, "Reply headers too large: over 64 KiB");
    }
    std::string text;
    for (const std::string& broken :
         {std::string("SSH-2.0-OpenSSH\r\n"), std::string("HTTP/1.1 2OO OK\r\n"),
          std::string("HTTP/1.1 200 OK\r\nContent-Length: 5, 6\r\n\r\n"),
          std::string("HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n"),
          std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"),
          std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nab\r\n")}) {
        Parsed parsed;
        EXPECT_EQ(test::NumberRaisedBy([&] { parsed.Feed(broken, 2); }), ErrorNumber::ConnectionFailed) << broken;
    }
    Parsed cut;
    cut.Feed("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", 4);
    EXPECT_EQ(test::NumberRaisedBy([&] { cut.Parser.FeedEnd(); }, &text), ErrorNumber::ConnectionFailed);
    EXPECT_EQ(text, "Cannot reach the translation service: the connection closed before the answer was complete");
    Parsed silent;
    EXPECT_FALSE(silent.Parser.Started());
    EXPECT_EQ(test::NumberRaisedBy([&] { silent.Parser.FeedEnd(); }, &text), ErrorNumber::ConnectionFailed);
    EXPECT_EQ(text, "Cannot reach the translation service: the connection closed without an answer");
}

}  // namespace
}  // namespace tarvex
