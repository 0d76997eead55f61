#pragma once
// Which of the layouts Tarvex reads a subtitle file in.

#include <string>
#include <string_view>

namespace tarvex {

enum class SubtitleFormat {
    Srt,     // numbered blocks, "HH:MM:SS,mmm --> HH:MM:SS,mmm" (also .txt)
    WebVtt,  // "WEBVTT" header, cues "[hh:]mm:ss.ttt --> [hh:]mm:ss.ttt [settings]"
    Ass,     // [Script Info] ... [Events] with Dialogue: and Comment: lines (ASS and SSA)
};

// How many leading bytes DetectSubtitleFormat looks at, at most.
constexpr size_t kFormatHeadSize = 64 * 1024;

// By content first, as files are often misnamed: a first line "WEBVTT"
// (after a byte-order mark), a "[Script Info]" section before anything but
// blank lines and comments, or SRT's comma timing lines; otherwise by the
// extension of `path`. `head` is the start of the file as UTF-8.
SubtitleFormat DetectSubtitleFormat(std::string_view head, const std::string& path);

}  // namespace tarvex
