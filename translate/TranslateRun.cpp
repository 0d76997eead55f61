#include "translate/TranslateRun.h"

#include "base/FileSystem.h"
#include "base/NumberedName.h"
#include "base/PathNames.h"
#include "base/RuntimeError.h"
#include "base/TextTrim.h"
#include "job/ProcessCheck.h"
#include "job/ProgressPanel.h"
#include "job/RunToEnd.h"
#include "subtitle/Lines.h"
#include "subtitle/NumberFields.h"
#include "subtitle/SubtitleInput.h"
#include "translate/Languages.h"
#include "translate/TextCleaning.h"

namespace tarvex {

namespace {

bool IsBareNumber(std::string_view line) {
    line = TrimSpaces(line);
    return !line.empty() && line.find_first_not_of("0123456789") == std::string_view::npos;
}

// Moves whatever holds the output's name aside to the first free NAME.<code>N.ext.
void MoveEarlierOutputAside(const std::string& outputPath, FileSystem& files, int16_t& nameNumber) {
    if (files.NameTaken(outputPath)) files.Rename(outputPath, NextFreeNumberedName(outputPath, files, nameNumber));
}

// The line loop: collects each block's cleaned text lines, sends them as
// one request and writes the translation in their place.
class BlockTranslator {
public:
    BlockTranslator(int32_t total, const std::string& sourceCode, const std::string& targetCode,
                    const std::string& headerBlock, TranslationService& service, ProgressPanel& panel,
                    BufferedWriter& writer)
        : total_(total),
          source_(sourceCode),
          target_(targetCode),
          header_(headerBlock),
          service_(service),
          panel_(panel),
          writer_(writer) {}

    void Run(const std::vector<std::string_view>& lines, const std::vector<size_t>& timingLines) {
        size_t nextTiming = 0;
        for (size_t index = 0; index < lines.size(); ++index) {
            std::string_view line = lines[index];
            const bool last = index + 1 == lines.size();
            if (nextTiming < timingLines.size() && timingLines[nextTiming] == index) {
                ++nextTiming;
                if (open_) FinishUnclosedBlock();
                open_ = true;
                blockLine_ = index + 1;
                collected_.clear();
                writer_.WriteLine(line);
            } else if (TrimSpaces(line).empty()) {
                if (open_) {
                    WriteTranslation();
                    if (!last && current_ < total_) writer_.WriteLine(line);
                    BlockDone();
                } else if (current_ <= total_) {
                    writer_.WriteLine(line);  // outside a block: copied while blocks remain
                }
            } else if (!open_) {
                if (current_ <= total_) writer_.WriteLine(line);
            } else {
                collected_.push_back(CleanTextLine(line));
                lastRaw_ = line;
                if (last) {
                    WriteTranslation();
                    BlockDone();
                }
            }
        }
        // A timing line at the very end opens a block with nothing to send.
        if (open_) BlockDone();
    }

private:
    void WriteTranslation() {
        try {
            writer_.WriteLine(RequestTranslation(collected_, source_, target_, header_, service_));
        } catch (const RuntimeError& error) {
            if (error.Number() != ErrorNumber::BlockTooLong) throw;
            throw RuntimeError(error.Number(),
                               "Block at line " + std::to_string(blockLine_) + " " + kTooLongForOneRequest);
        }
    }

    // A block not closed by a blank line before the next timing line: its
    // text is still translated. A bare number as its last line is the next
    // block's number line, so it is written after the translation, unsent.
    void FinishUnclosedBlock() {
        bool numberLine = !collected_.empty() && IsBareNumber(lastRaw_);
        if (numberLine) collected_.pop_back();
        if (!collected_.empty()) WriteTranslation();
        BlockDone();
        if (numberLine) writer_.WriteLine(lastRaw_);
    }

    void BlockDone() {
        open_ = false;
        collected_.clear();
        // The output grows block by block, as the user sees the counter move.
        writer_.Flush();
        panel_.SetPercentage(PercentageOf(current_, total_));
        panel_.SetCounter(current_, total_);
        ++current_;
    }

    const int32_t total_;
    const std::string& source_;
    const std::string& target_;
    const std::string& header_;
    TranslationService& service_;
    ProgressPanel& panel_;
    BufferedWriter& writer_;
    int32_t current_ = 1;
    bool open_ = false;
    size_t blockLine_ = 0;  // of the open block's timing line, from 1
    std::vector<std::string> collected_;
    std::string_view lastRaw_;
};

void Translate(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
               RunEnvironment& environment, TranslationService& service, RunOutput& output) {
    const std::string headerBlock = BuildHeaderBlock(service.Host);
    SubtitleInput input;
    ReadSubtitleInput(inputPath, environment, input);

    const std::string sourceCode = LanguageCode(sourceLanguage);
    const std::string targetCode = LanguageCode(targetLanguage);
    // Process refuses such codes; a caller that skipped it still touches no file.
    if (!IsUsableLanguageCode(sourceCode) || !IsUsableLanguageCode(targetCode))
        throw RuntimeError(ErrorNumber::InvalidCall, "Invalid procedure call or argument: language code");
    const std::string outputPath = InsertBeforeExtension(inputPath, "." + targetCode);
    output.ShownName = FileNameOf(outputPath);
    MoveEarlierOutputAside(outputPath, environment.Files, environment.TranslateNameNumber);

    output.File = environment.Files.CreateOutput(outputPath);
    output.Writer.Attach(output.File.get());
    BlockTranslator(input.Total, sourceCode, targetCode, headerBlock, service, environment.Panel, output.Writer)
        .Run(input.Lines, input.TimingLines);
}

}  // namespace

bool RunTranslation(const std::string& inputPath, const std::string& sourceLanguage, const std::string& targetLanguage,
                    RunEnvironment& environment, TranslationService& service, ConnectionTest connected) {
    if (connected != nullptr && !connected()) {
        // The status line keeps "PROCESS IS RUNNING..." as Process left it.
        environment.EndBusy();
        environment.Messages.ShowMessage("Internet not connected", "Not Connected", MessageIcon::Exclamation);
        return false;
    }

    return RunToEnd(environment, [&](RunOutput& output) {
        Translate(inputPath, sourceLanguage, targetLanguage, environment, service, output);
    });
}

}  // namespace tarvex
