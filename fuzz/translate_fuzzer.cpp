// A whole translate run over any bytes, with the service in memory: no
// crash, and no text line lost: every text line of a block is sent (after
// its tags are cleaned), and every other line is copied, except the lines
// after the last block, which a run leaves out. The finished output is
// recognised whole by the resume check, and a cut-off copy never yields more
// than it holds.
#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "base/TextEncoding.h"
#include "fuzz/MemoryFileSystem.h"
#include "job/ProgressPanel.h"
#include "subtitle/Lines.h"
#include "subtitle/ShiftContent.h"
#include "subtitle/SubtitleFormat.h"
#include "support/ScriptedTransport.h"
#include "translate/BlockPlan.h"
#include "translate/CuePlan.h"
#include "translate/TextCleaning.h"
#include "translate/TranslateRun.h"
#include "translate/TranslationRequest.h"
#include "translate/services/WebReply.h"

namespace {

using namespace tarvex;

class SilentPanel : public ProgressPanel, public Prompts {
public:
    void SetTotal(int32_t) override {}
    void SetCounter(int32_t, int32_t) override {}
    void SetPercentage(int percentage) override {
        if (percentage < 0 || percentage > 100) std::abort();
    }
    void SetStatus(const std::string&) override {}
    void SetBusy(bool) override {}
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

bool Blank(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int replyStyle = data[0] % 4;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    // The run reads the text as UTF-8 whatever its encoding (legacy bytes as
    // windows-1252, the default here); an odd-length UTF-16 text is refused.
    const TextFamily family = DetectTextFamily(bytes);
    std::string content;
    bool readable = true;
    try {
        content = TextToUtf8(bytes, family, "windows-1252");
    } catch (const RuntimeError&) {
        readable = false;
    }

    // The reply reading on its own, over the raw bytes: never more lines than sent.
    const std::vector<std::string> threeLines{"a", "b", "c"};
    const std::string fitted = FitLines(ReadReplyLines(content), threeLines).Text;
    if (std::count(fitted.begin(), fitted.end(), '\n') > 2 || std::count(fitted.begin(), fitted.end(), '\r') > 2)
        std::abort();

    fuzz::MemoryFileSystem files;
    files.Files["C:\\f\\movie.srt"] = bytes;
    files.Files["C:\\f\\movie.id.srt"] = "earlier";
    test::ScriptedTransport transport;
    if (replyStyle != 0) {
        transport.BeforeAnswer = [&](size_t) {};
        for (int i = 0; i < 64; ++i) {
            test::ScriptedTransport::Step step;
            step.Reply.Status = 200;
            step.Reply.Body = replyStyle == 1 ? "" : replyStyle == 2 ? "<html>" : content;
            if (replyStyle == 3 && i % 2 == 1) step.Reply.Body = test::ServiceReply({"a", "b"});
            transport.Script.push_back(step);
        }
    }
    ConnectionSettings service{.Host = "h", .Jobs = 1, .NewTransport = test::ConnectionsTo(transport)};
    service.Pause = [](std::chrono::milliseconds) {};
    SilentPanel panel;
    int16_t shiftNumber = 0, translateNumber = 0;
    RunEnvironment environment{panel, panel, files, shiftNumber, translateNumber};
    bool done = RunTranslation("C:\\f\\movie.srt", "english", "indonesian", environment, service, nullptr);

    std::vector<std::string_view> lines = SplitLines(content);
    if (readable && DetectSubtitleFormat(content, "movie.srt") != SubtitleFormat::Srt) {
        // WebVTT and ASS: the input stays, and every block of a finished
        // output is recognised by the resume check of its own plan (lines
        // after the last block are written again on resuming).
        if (files.Files["C:\\f\\movie.srt"] != bytes) std::abort();
        if (!done) return 0;
        const TextFamily outputFamily = family == TextFamily::Legacy ? TextFamily::Utf8 : family;
        const std::string output = TextToUtf8(files.Files["C:\\f\\movie.id.srt"], outputFamily, "");
        const SubtitleFormat format = DetectSubtitleFormat(content, "movie.srt");
        const CutLines cut = SplitCueLines(content);
        const BlockPlan plan = PlanCueBlocks(format, cut.Lines, cut.Ends);
        const KeptOutput kept = MatchEarlierOutput(plan, output);
        int32_t blocks = 0;
        for (const PlanStep& step : plan.Steps) blocks += step.What == PlanStep::Kind::BlockEnd ? 1 : 0;
        if (kept.Bytes > output.size() || kept.Blocks > blocks) std::abort();
        if (replyStyle != 3 && kept.Blocks != blocks) std::abort();
        return 0;
    }
    bool anyTiming = false;
    for (std::string_view line : lines) anyTiming = anyTiming || IsTimingLine(line);
    if (done != (readable && anyTiming)) std::abort();
    if (files.Files["C:\\f\\movie.srt"] != bytes) std::abort();
    if (!done) return 0;
    if (files.Files["C:\\f\\movie.id1.srt"] != "earlier") std::abort();

    // Whole request texts: a lone LF inside a line is sent as %0A too, so
    // the service's line boundaries are not the file's.
    std::vector<std::string> sent;
    for (const std::string& url : transport.Urls) {
        std::string text;
        for (const std::string& line : test::SentLines(url)) text += line + "\n";
        sent.push_back(text);
    }
    auto wasSent = [&sent](const std::string& line) {
        for (const std::string& text : sent)
            if (text.find(line) != std::string::npos) return true;
        return false;
    };
    const std::string& stored = files.Files["C:\\f\\movie.id.srt"];
    const TextFamily outputFamily = family == TextFamily::Legacy ? TextFamily::Utf8 : family;
    if (DetectTextFamily(stored) != outputFamily && !(stored.empty() && outputFamily == TextFamily::Utf8)) std::abort();
    const std::string output = TextToUtf8(stored, outputFamily, "");

    const std::vector<size_t> timing = FindTimingLines(lines);
    const BlockPlan plan = PlanBlocks(lines, timing, static_cast<int32_t>(timing.size()));
    const KeptOutput whole = MatchEarlierOutput(plan, output);
    if (whole.Blocks > static_cast<int32_t>(timing.size()) || whole.Bytes > output.size()) std::abort();
    // A translation made of the source's own lines (upper-cased or not) can
    // never pass for a timing line, so the whole output is recognised; replies
    // cut from the content itself (style 3) may, and only the bounds hold.
    if (replyStyle != 3 && (whole.Blocks != static_cast<int32_t>(timing.size()) || whole.Bytes != output.size()))
        std::abort();
    const KeptOutput cut = MatchEarlierOutput(plan, std::string_view(output).substr(0, output.size() / 2));
    if (cut.Blocks > whole.Blocks || cut.Bytes > output.size() / 2) std::abort();

    std::vector<std::string_view> written = SplitLines(output);
    std::set<std::string_view> writtenSet(written.begin(), written.end());

    // Lines after the blank line that closes the last block are left out.
    size_t lastTiming = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (IsTimingLine(lines[i])) lastTiming = i;
    size_t end = lines.size();
    for (size_t i = lastTiming + 1; i < lines.size(); ++i)
        if (Blank(lines[i])) {
            end = i;
            break;
        }
    for (size_t i = 0; i < end; ++i) {
        std::string_view line = lines[i];
        if (Blank(line)) continue;
        if (IsTimingLine(line)) {
            if (!writtenSet.count(line)) std::abort();
            continue;
        }
        if (!wasSent(CleanTextLine(line)) && !writtenSet.count(line)) std::abort();
    }
    return 0;
}
