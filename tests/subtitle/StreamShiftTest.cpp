#include <gtest/gtest.h>

#include "base/RuntimeError.h"
#include "base/StringFiles.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/StreamShift.h"
#include "subtitle/TimingLineCount.h"

namespace tarvex {
namespace {

// The whole-file shift's result, or its error report.
std::string WholeFile(const std::string& content, ShiftMode mode) {
    try {
        return ShiftContent(content, mode, 1, 30);
    } catch (const RuntimeError& error) {
        return ErrorReportText(error);
    }
}

std::string Streamed(const std::string& content, ShiftMode mode, size_t chunk) {
    StringInput input(content);
    std::string out;
    StringOutput output(out);
    try {
        TimingLineCount count = CountTimingLines(input, chunk);
        EXPECT_EQ(count.TimingLines, static_cast<int64_t>(FindTimingLines(SplitLines(content)).size()));
        EXPECT_EQ(count.Bytes, content.size());
        StreamShiftResult result = ShiftStream(input, count.Separator, mode, 1, 30, output, nullptr, chunk);
        EXPECT_EQ(result.TimingLines, count.TimingLines);
        return out;
    } catch (const RuntimeError& error) {
        return ErrorReportText(error);
    }
}

// The streamed shift gives the whole-file shift's bytes (or error) for every
// separator, with lines, arrows and CR LF pairs cut at every chunk border,
// lines far longer than a chunk, and content that ends without a separator.
TEST(ShiftStream, GivesTheWholeFileShiftsBytesAtAnyChunkSize) {
    const std::string cue = "7\r\n00:01:05,250 --> 00:01:07,000\r\n<i>Hi</i> -> there\r\n\r\n";
    std::string cues;
    for (int i = 0; i < 6; ++i) cues += cue;
    auto with = [](std::string text, const std::string& separator) {
        for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += separator.size())
            text.replace(at, 2, separator);
        return text;
    };
    const std::vector<std::string> contents = {
        "",
        "\r\n",
        cues,
        cues.substr(0, cues.size() - 4),
        with(cues, "\n"),
        with(cues, "\r"),
        "\xEF\xBB\xBF" + cues + "lone\nLF and lone\rCR --> in one line\r\n",
        with(cues, "\n") + "CR\rstays --> 00:00:01,000",
        std::string(300, 'x') + "\r\n" + cue + std::string(300, 'y') + " --> " + std::string(200, 'z') + "\r\n" + cue,
        "00:00:01,000 --> 00:00:02,000" + std::string(500, ' ') + "tail",
        std::string(100, 'a') + "\r" + std::string(100, 'b') + "\r\n" + cue,
        cue + "9\r\n00:00:0x,000 --> 00:00:04,000\r\n",
        "a --> b\nx\r\n00:00:01,000 --> 00:00:02,000\r\n",
        "no arrow at all\n",
    };
    for (const std::string& content : contents) {
        for (ShiftMode mode : {ShiftMode::StartTime, ShiftMode::Plus, ShiftMode::Minus}) {
            const std::string expected = WholeFile(content, mode);
            for (size_t chunk : {size_t{16}, size_t{17}, size_t{29}, size_t{64}, kStreamChunkSize})
                ASSERT_EQ(Streamed(content, mode, chunk), expected)
                    << "mode " << static_cast<int>(mode) << ", chunk " << chunk << ", content \"" << content << "\"";
        }
    }
}

// Memory stays bounded by the chunk whatever the file holds: the output
// leaves in pieces of about a chunk, also through long stretches of text.
TEST(ShiftStream, WritesInPiecesOfAboutAChunk) {
    class PieceSizes : public OutputFile {
    public:
        void Write(std::string_view bytes) override { Largest = std::max(Largest, bytes.size()); }
        void Close() override {}
        size_t Largest = 0;
    };
    std::string content = "1\n00:00:01,000 --> 00:00:02,000\n";
    for (int line = 0; line < 20000; ++line) content += "some text without any arrow\n";
    content += std::string(5000, 'x') + "\n00:00:03,000 --> 00:00:04,000\n";
    StringInput input(content);
    PieceSizes output;
    ShiftStream(input, LineSeparator::Lf, ShiftMode::Plus, 0, 1, output, nullptr, 64);
    EXPECT_GT(output.Largest, 0u);
    EXPECT_LE(output.Largest, 4u * 64);
}

}  // namespace
}  // namespace tarvex
