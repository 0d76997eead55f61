#include "cli/ConsolePanel.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tarvex::cli {

namespace {
constexpr int kBarWidth = 30;
// Redrawing on every step would cost more than the shift itself: a terminal
// write wakes the terminal too.
constexpr std::chrono::milliseconds kRedrawInterval{100};
}  // namespace

bool ErrorStreamIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

ConsolePanel::ConsolePanel(std::FILE* out, std::FILE* err, bool liveProgress)
    : out_(out), err_(err), live_(liveProgress) {}

void ConsolePanel::ShowWork(const std::string& what, int percentage) {
    if (percentage < 0) {
        work_.clear();
        EndBar();
        return;
    }
    const bool changed = what != work_;
    work_ = what;
    percentage_ = percentage;
    DrawBar(changed || percentage >= 100);
}

void ConsolePanel::SetTotal(int32_t total) {
    work_.clear();
    percentage_ = 0;
    EndBar();
    std::fprintf(err_, "%s\n", TotalCaption(total).c_str());
    std::fflush(err_);
}

void ConsolePanel::SetCounter(int32_t done, int32_t total) {
    done_ = done;
    total_ = total;
    DrawBar(done == total);
}

void ConsolePanel::SetPercentage(int percentage) {
    percentage_ = percentage;
}

void ConsolePanel::SetStatus(const std::string& status) {
    EndBar();
    if (status == kStatusFailed) {
        std::fprintf(err_, "%s\n", status.c_str());
        std::fflush(err_);
    } else if (status.rfind("Output File : ", 0) == 0) {
        std::fprintf(out_, "%s\n", status.c_str());
        std::fflush(out_);
    }
}

void ConsolePanel::ShowMessage(const std::string& text, const std::string&, MessageIcon) {
    EndBar();
    // Message texts break lines as a message box does; a terminal wants LF.
    std::string lines;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "\r\n") == 0) ++at;
        lines.push_back(text[at]);
    }
    std::fprintf(err_, "%s\n", lines.c_str());
    std::fflush(err_);
}

void ConsolePanel::DrawBar(bool force) {
    if (!live_) return;
    auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    int filled = percentage_ * kBarWidth / 100;
    if (filled < 0) filled = 0;
    if (filled > kBarWidth) filled = kBarWidth;
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    const std::string caption = work_.empty() ? CounterCaption(done_, total_) : work_ + "...";
    std::fprintf(err_, "\r[%s] %3d %%  %s", bar.c_str(), percentage_, caption.c_str());
    std::fflush(err_);
    barShown_ = true;
}

void ConsolePanel::EndBar() {
    if (!barShown_) return;
    std::fputc('\n', err_);
    barShown_ = false;
}

}  // namespace tarvex::cli
