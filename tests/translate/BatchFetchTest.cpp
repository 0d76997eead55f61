// The shared part of every service's run, over a service in memory: batches
// under the limits, blocks without text never sent, answers that lose blocks
// split and asked again, the fallback after a first refusal.

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "base/RuntimeError.h"
#include "job/BusyState.h"
#include "support/RecordingPanel.h"
#include "support/ScriptedTransport.h"
#include "support/TempFolder.h"
#include "translate/TranslateRun.h"

namespace tarvex {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Blocks travel as lines "i:text" in the body; the answer is the same,
// upper-cased, unless the transport mangles it.
class MemoryService : public Service {
public:
    explicit MemoryService(std::string name, size_t mostBlocks) : name_(std::move(name)), most_(mostBlocks) {}
    std::string Name() const override { return name_; }
    ServiceLimits Limits() const override {
        ServiceLimits limits;
        limits.MostBlocks = most_;
        limits.MostBytes = 64;
        limits.SendsEmptyBlocks = SendsEmpty;
        return limits;
    }
    HttpRequest Build(const std::vector<BlockLines>& batch, const BatchContext&) const override {
        HttpRequest request;
        request.Method = "POST";
        request.Url = "mem://" + name_;
        for (size_t block = 0; block < batch.size(); ++block)
            for (const std::string& line : batch[block]) request.Body += std::to_string(block) + ":" + line + "\n";
        return request;
    }
    std::vector<BlockLines> Read(const HttpReply& reply, size_t blocks) const override {
        std::vector<BlockLines> lines;
        size_t from = 0;
        for (size_t end = reply.Body.find('\n'); end != std::string::npos; end = reply.Body.find('\n', from)) {
            const std::string line = reply.Body.substr(from, end - from);
            from = end + 1;
            const size_t block = std::stoul(line.substr(0, line.find(':')));
            if (lines.size() <= block) lines.resize(block + 1);
            lines[block].push_back(line.substr(line.find(':') + 1));
        }
        bool lost = lines.size() != blocks;
        for (const BlockLines& block : lines) lost = lost || block.empty();
        if (lost) throw RuntimeError(ErrorNumber::BatchMismatch, "blocks lost");
        return lines;
    }
    std::shared_ptr<const Service> Fallback(int status) const override {
        return status == 403 && FallbackTo ? FallbackTo : nullptr;
    }
    std::shared_ptr<const Service> FallbackTo;
    bool SendsEmpty = false;

private:
    std::string name_;
    size_t most_;
};

class MemoryTransport : public HttpTransport {
public:
    HttpReply Get(const std::string&, const HttpHeaders&, std::chrono::milliseconds) override {
        throw RuntimeError(ErrorNumber::InvalidCall);
    }
    HttpReply Send(const HttpRequest& request, std::chrono::milliseconds) override {
        Bodies.push_back(request.Body);
        HttpReply reply;
        reply.Status = request.Url == Refusing ? 403 : 200;
        for (char c : request.Body)
            reply.Body.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        // A model that merges the first two blocks of any batch of several.
        if (MergeBlocks && request.Body.find("\n1:") != std::string::npos) {
            size_t at = reply.Body.find("\n1:");
            while (at != std::string::npos) {
                reply.Body.replace(at + 1, 1, "0");
                at = reply.Body.find("\n1:", at + 1);
            }
        }
        return reply;
    }
    std::vector<std::string> Bodies;
    std::string Refusing;
    bool MergeBlocks = false;
};

class BatchFetchTest : public ::testing::Test {
protected:
    std::string Translate(const std::shared_ptr<const Service>& api) {
        WriteBytes(input, kFilm);
        ConnectionSettings service{.Jobs = 1,
                                   .NewTransport = test::ConnectionsTo(transport),
                                   .Pause = [](std::chrono::milliseconds) {},
                                   .Api = api};
        panel = test::RecordingPanel();
        BusyState busy(panel);
        RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNameNumber, translateNameNumber, &busy};
        EXPECT_TRUE(RunTranslation(input, "english", "indonesian", environment, service, nullptr))
            << (panel.Messages.empty() ? "" : panel.Messages.back().Text);
        return ReadBytes(folder / "movie.id.srt");
    }

    // Five blocks, the third with no text and the fourth only a tag.
    const std::string kFilm =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\none\r\ntwo\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\nthree\r\n\r\n"
        "3\r\n00:00:05,000 --> 00:00:06,000\r\n\r\n"
        "4\r\n00:00:07,000 --> 00:00:08,000\r\n<i></i>\r\n\r\n"
        "5\r\n00:00:09,000 --> 00:00:10,000\r\nfour\r\n";
    const std::string kTranslated =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nONE\r\nTWO\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\nTHREE\r\n\r\n"
        "3\r\n00:00:05,000 --> 00:00:06,000\r\n\r\n\r\n"
        "4\r\n00:00:07,000 --> 00:00:08,000\r\n\r\n\r\n"
        "5\r\n00:00:09,000 --> 00:00:10,000\r\nFOUR\r\n";
    test::TempFolder folder;
    std::string input = folder / "movie.srt";
    MemoryTransport transport;
    test::RecordingPanel panel;
    int16_t shiftNameNumber = 0;
    int16_t translateNameNumber = 0;
};

TEST_F(BatchFetchTest, BatchesUnderTheLimitsAndNothingSentForEmptyBlocks) {
    EXPECT_EQ(Translate(std::make_shared<MemoryService>("mem", 2)), kTranslated);
    EXPECT_EQ(transport.Bodies, (std::vector<std::string>{"0:one\n0:two\n1:three\n", "0:four\n"}));
    EXPECT_EQ(panel.Messages.back().Text, "Process Success Bos..");

    // One block a request; the same output.
    transport.Bodies.clear();
    EXPECT_EQ(Translate(std::make_shared<MemoryService>("mem", 1)), kTranslated);
    EXPECT_EQ(transport.Bodies.size(), 3u);
}

TEST_F(BatchFetchTest, AnswersThatMergeBlocksAreSplitDownToOneBlock) {
    transport.MergeBlocks = true;
    EXPECT_EQ(Translate(std::make_shared<MemoryService>("mem", 8)), kTranslated);
    EXPECT_EQ(transport.Bodies, (std::vector<std::string>{"0:one\n0:two\n1:three\n2:four\n", "0:one\n0:two\n",
                                                          "0:three\n1:four\n", "0:three\n", "0:four\n"}));
}

TEST_F(BatchFetchTest, AFirstRefusalTurnsToTheFallbackOnceAndSaysSo) {
    auto fallback = std::make_shared<MemoryService>("spare", 8);
    auto first = std::make_shared<MemoryService>("main", 8);
    first->FallbackTo = fallback;
    transport.Refusing = "mem://main";
    EXPECT_EQ(Translate(first), kTranslated);
    EXPECT_EQ(panel.Messages.back().Text, "Process Success Bos..\r\nmain refused (HTTP 403): translated with spare");

    // Batches planned for the first service follow the fallback's rules:
    // its own batch size, and no empty block to a service that refuses them.
    auto single = std::make_shared<MemoryService>("single", 1);
    auto web = std::make_shared<MemoryService>("web", 8);
    web->SendsEmpty = true;
    web->FallbackTo = single;
    transport.Refusing = "mem://web";
    transport.Bodies.clear();
    EXPECT_EQ(Translate(web), kTranslated);
    ASSERT_FALSE(transport.Bodies.empty());
    EXPECT_EQ(std::vector<std::string>(transport.Bodies.begin() + 1, transport.Bodies.end()),
              (std::vector<std::string>{"0:one\n0:two\n", "0:three\n", "0:four\n"}));
    transport.Refusing = "mem://main";

    // Without a fallback the refusal fails the run, named by the service.
    first->FallbackTo = nullptr;
    WriteBytes(input, kFilm);
    ConnectionSettings service{.Jobs = 1, .NewTransport = test::ConnectionsTo(transport), .Api = first};
    BusyState busy(panel);
    RunEnvironment environment{panel, panel, SystemFileSystem(), shiftNameNumber, translateNameNumber, &busy};
    EXPECT_FALSE(RunTranslation(input, "english", "indonesian", environment, service, nullptr));
    EXPECT_EQ(panel.Messages.back().Text, "Something Wrong (35762) main: HTTP 403");
}

}  // namespace
}  // namespace tarvex
