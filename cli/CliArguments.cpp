#include "cli/CliArguments.h"

#include "base/LegacyEncoding.h"

#include <cstdint>

#ifdef _WIN32
#define DEFAULT_ENCODING_TEXT "the ANSI code page of the user's locale"
#else
#define DEFAULT_ENCODING_TEXT "windows-1252"
#endif

namespace tarvex::cli {

namespace {

// Digits only, at least one, at most `most`.
bool Digits(const std::string& text, size_t most) {
    return !text.empty() && text.size() <= most && text.find_first_not_of("0123456789") == std::string::npos;
}

// A word that is no option of the command: "--" ends the options, any other
// word in "-" is unknown, the rest are files.
void TakeFileWord(const std::string& word, bool& filesOnly, std::vector<std::string>& files) {
    if (!filesOnly && word == "--") {
        filesOnly = true;
    } else if (!filesOnly && word.size() > 1 && word[0] == '-') {
        throw UsageError{"unknown option \"" + word + "\""};
    } else {
        files.push_back(word);
    }
}

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// Two digits at most, then optionally "." or "," and one to three decimals.
bool SecondsWithDecimals(const std::string& text) {
    size_t separator = text.find_first_of(".,");
    if (separator == std::string::npos) return AllDigits(text);
    std::string decimals = text.substr(separator + 1);
    return AllDigits(text.substr(0, separator)) && !decimals.empty() && decimals.size() <= 3 &&
           decimals.find_first_not_of("0123456789") == std::string::npos;
}

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// HOST or HOST:PORT, HOST a name, an IPv4 address or a bracketed IPv6
// address. It goes into the URL and the header lines as it is, so nothing
// else may pass: a tab, a backslash or a line break would change the request.
bool IsHostAndPort(const std::string& text) {
    size_t hostEnd;
    if (!text.empty() && text[0] == '[') {
        hostEnd = text.find(']');
        if (hostEnd == std::string::npos || hostEnd == 1) return false;
        for (size_t at = 1; at < hostEnd; ++at) {
            char c = text[at];
            bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!hex && c != ':' && c != '.') return false;
        }
        ++hostEnd;
    } else {
        hostEnd = text.find(':');
        if (hostEnd == std::string::npos) hostEnd = text.size();
        if (hostEnd == 0) return false;
        for (size_t at = 0; at < hostEnd; ++at)
            if (!IsNameCharacter(text[at])) return false;
    }
    if (hostEnd == text.size()) return true;
    std::string port = text.substr(hostEnd + 1);
    if (text[hostEnd] != ':' || port.empty() || port.size() > 5 ||
        port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    long number = std::stol(port);
    return number >= 1 && number <= 65535;
}

// scheme://rest with nothing that could break the request line or headers.
bool IsBaseUrl(const std::string& text) {
    const size_t schemeEnd = text.find("://");
    const std::string scheme = text.substr(0, schemeEnd);
    if (schemeEnd == std::string::npos || (scheme != "http" && scheme != "https")) return false;
    if (schemeEnd + 3 >= text.size() || text[schemeEnd + 3] == '/') return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
    return true;
}

// A model name goes into the request's JSON; only its length is bounded.
bool IsModelName(const std::string& text) {
    if (text.empty() || text.size() > 200) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < ' ') return false;
    return true;
}

// --service, --url, --model, --api-key-file: true when `word` was one of them.
bool TakeServiceOption(const std::string& word, const std::string& value, CliArguments& parsed) {
    if (word == "--service") {
        parsed.Service = value;
    } else if (word == "--url") {
        if (!IsBaseUrl(value)) throw UsageError{"--url takes http://HOST[:PORT][/PATH] or https://..."};
        parsed.Url = value;
    } else if (word == "--model") {
        if (!IsModelName(value)) throw UsageError{"--model takes a model name"};
        parsed.Model = value;
    } else if (word == "--api-key-file") {
        parsed.ApiKeyFile = value;
    } else {
        return false;
    }
    return true;
}

bool IsServiceOption(const std::string& word) {
    return word == "--service" || word == "--url" || word == "--model" || word == "--api-key-file";
}

CliArguments ParseTranslate(const std::vector<std::string>& arguments) {
    CliArguments parsed;
    parsed.Which = Command::Translate;
    parsed.Request.ActiveTab = 1;
    bool haveFrom = false;
    bool haveTo = false;
    bool filesOnly = false;
    for (size_t at = 1; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        bool takesValue = word == "--from" || word == "--to" || word == "--host" || word == "--timeout" ||
                          word == "--jobs" || word == "--encoding" || IsServiceOption(word);
        if (!filesOnly && takesValue) {
            if (at + 1 >= arguments.size()) throw UsageError{word + " needs a value"};
            const std::string& value = arguments[++at];
            if (TakeServiceOption(word, value, parsed)) continue;
            if (word == "--from") {
                parsed.Request.SourceLanguage = value;
                haveFrom = true;
            } else if (word == "--to") {
                parsed.Request.TargetLanguage = value;
                haveTo = true;
            } else if (word == "--host") {
                if (!IsHostAndPort(value)) throw UsageError{"--host takes HOST or HOST:PORT"};
                parsed.Host = value;
            } else if (word == "--encoding") {
                if (!IsKnownLegacyEncoding(value)) throw UsageError{"--encoding: unknown code page \"" + value + "\""};
                parsed.Encoding = value;
            } else if (word == "--jobs") {
                bool digits =
                    !value.empty() && value.size() <= 2 && value.find_first_not_of("0123456789") == std::string::npos;
                int jobs = digits ? std::stoi(value) : 0;
                if (jobs < 1 || jobs > kMostJobs)
                    throw UsageError{"--jobs takes a whole number from 1 to " + std::to_string(kMostJobs)};
                parsed.Jobs = jobs;
            } else {
                int seconds = Digits(value, 4) ? std::stoi(value) : 0;
                if (seconds < 1) throw UsageError{"--timeout takes a whole number of seconds from 1 to 9999"};
                parsed.TimeoutSeconds = seconds;
            }
        } else if (!filesOnly && word == "--resume") {
            parsed.Resume = true;
        } else {
            TakeFileWord(word, filesOnly, parsed.Files);
        }
    }
    if (!haveFrom || !haveTo) throw UsageError{"give both --from NAME and --to NAME"};
    if (parsed.Files.empty()) throw UsageError{"no FILE given"};
    parsed.Request.PathText = parsed.Files.front();
    return parsed;
}

// Whole digits, then optionally "." or "," and one to three decimals, in
// milliseconds.
bool DecimalMillis(const std::string& text, size_t mostWhole, int64_t& millis) {
    const size_t separator = text.find_first_of(".,");
    const std::string whole = text.substr(0, separator);
    std::string decimals = separator == std::string::npos ? "" : text.substr(separator + 1);
    if (!Digits(whole, mostWhole)) return false;
    if (separator != std::string::npos && !Digits(decimals, 3)) return false;
    decimals.resize(3, '0');
    millis = std::stoll(whole) * 1000 + std::stoll(decimals);
    return true;
}

// N=TIME of --point.
SyncPoint ParsePoint(const std::string& value) {
    const size_t equals = value.find('=');
    SyncPoint point;
    const std::string cue = value.substr(0, equals);
    if (equals == std::string::npos || !Digits(cue, 7) || std::stol(cue) < 1 ||
        !ParseSyncTime(value.substr(equals + 1), point.TimeMs))
        throw UsageError{"--point takes N=TIME: a cue number from 1 and HH:MM:SS,mmm, MM:SS or seconds"};
    point.Cue = static_cast<int32_t>(std::stol(cue));
    return point;
}

CliArguments ParseSync(const std::vector<std::string>& arguments) {
    CliArguments parsed;
    parsed.Which = Command::Sync;
    bool filesOnly = false;
    for (size_t at = 1; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        const bool takesValue = word == "--to" || word == "--point" || word == "--max-offset" || word == "--encoding";
        if (!filesOnly && takesValue) {
            if (at + 1 >= arguments.size()) throw UsageError{word + " needs a value"};
            const std::string& value = arguments[++at];
            if (word == "--to") {
                if (value.empty()) throw UsageError{"--to needs a reference file"};
                parsed.Sync.ReferencePath = value;
            } else if (word == "--point") {
                parsed.Sync.Points.push_back(ParsePoint(value));
            } else if (word == "--encoding") {
                if (!IsKnownLegacyEncoding(value)) throw UsageError{"--encoding: unknown code page \"" + value + "\""};
                parsed.Sync.LegacyEncoding = value;
            } else {
                int64_t millis = 0;
                if (!DecimalMillis(value, 5, millis) || millis > int64_t{86400} * 1000)
                    throw UsageError{"--max-offset takes seconds from 0 to 86400"};
                parsed.Sync.MaxOffsetMs = millis;
            }
        } else if (!filesOnly && word == "--no-cuts") {
            parsed.Sync.AllowCuts = false;
        } else if (!filesOnly && word == "--no-speed") {
            parsed.Sync.CorrectSpeed = false;
        } else if (!filesOnly && word == "--dry-run") {
            parsed.DryRun = true;
        } else if (!filesOnly && word == "--force") {
            parsed.Force = true;
        } else {
            TakeFileWord(word, filesOnly, parsed.Files);
        }
    }
    const bool byPoints = !parsed.Sync.Points.empty();
    if (byPoints == !parsed.Sync.ReferencePath.empty())
        throw UsageError{"give either --to REFERENCE or two --point N=TIME"};
    if (byPoints && parsed.Sync.Points.size() != 2) throw UsageError{"give exactly two --point N=TIME"};
    if (parsed.Files.empty()) throw UsageError{"no FILE given"};
    if (byPoints && parsed.Files.size() != 1) throw UsageError{"--point places the cues of one FILE"};
    parsed.Request.PathText = parsed.Files.front();
    return parsed;
}

}  // namespace

bool ParseSyncTime(const std::string& text, int64_t& millis) {
    std::vector<std::string> fields;
    for (size_t from = 0;;) {
        const size_t colon = text.find(':', from);
        fields.push_back(text.substr(from, colon == std::string::npos ? std::string::npos : colon - from));
        if (colon == std::string::npos) break;
        from = colon + 1;
    }
    int64_t seconds = 0;
    if (fields.size() > 3 || !DecimalMillis(fields.back(), fields.size() == 1 ? 6 : 2, seconds)) return false;
    if (fields.size() > 1 && seconds >= 60000) return false;
    int64_t total = seconds;
    if (fields.size() >= 2) {
        const std::string& minutes = fields[fields.size() - 2];
        if (!Digits(minutes, fields.size() == 3 ? 2 : 4)) return false;
        if (fields.size() == 3 && std::stoll(minutes) >= 60) return false;
        total += std::stoll(minutes) * 60000;
    }
    if (fields.size() == 3) {
        if (!Digits(fields[0], 3)) return false;
        total += std::stoll(fields[0]) * 3600000;
    }
    millis = total;
    return true;
}

const char* UsageText() {
    return "Usage:\n"
           "  tarvex-cli shift --plus MM:SS FILE...    move every timestamp later\n"
           "  tarvex-cli shift --minus MM:SS FILE...   move every timestamp earlier\n"
           "  tarvex-cli shift --start MM:SS FILE...   make the first subtitle start at MM:SS\n"
           "  tarvex-cli shift --fps FROM:TO FILE...   retime a file made for FROM frames per second\n"
           "                                        for a video that plays at TO (25:23.976)\n"
           "  tarvex-cli translate --from NAME --to NAME [--service NAME] [--url URL] [--model NAME]\n"
           "                      [--api-key-file FILE] [--host HOST[:PORT]] [--timeout SECONDS]\n"
           "                      [--jobs N] [--resume] [--encoding NAME] FILE...\n"
           "                                        write each FILE's text translated as NAME.<code>.ext\n"
           "  tarvex-cli sync --to REFERENCE [--no-cuts] [--no-speed] [--max-offset SECONDS]\n"
           "                 [--dry-run] [--force] [--encoding NAME] FILE...\n"
           "                                        fit each FILE's times to REFERENCE: another\n"
           "                                        subtitle of the film, or the film itself\n"
           "  tarvex-cli sync --point N=TIME --point M=TIME [--dry-run] FILE\n"
           "                                        cue N starts at TIME, cue M at the other\n"
           "  tarvex-cli languages [--service NAME]  the language names and their codes\n"
           "  tarvex-cli --help | --version\n"
           "\n"
           "FILE is a subtitle file: SRT (.srt, .txt), WebVTT (.vtt) or ASS/SSA (.ass,\n"
           ".ssa), told by its content first. It is kept as NAME_original.ext (or\n"
           "NAME_originalN.ext when that name is taken) and the shifted file takes its name;\n"
           "a shift that fails or is interrupted leaves the file as it was. Several files\n"
           "are run one after the other, each on its own, and a last line tells how many\n"
           "were done and how many failed.\n"
           "MM is a whole number from 0 to 59, SS a number below 60 with up to three\n"
           "decimals (0:01.5, 0:01,25, 0:00.040). Language names are those of\n"
           "`tarvex-cli languages` (a two-letter code of letters or \"-\" is taken as it\n"
           "is; any other text means \"auto\").\n"
           "--service is google (the web endpoint, the default; --host HOST[:PORT] asks\n"
           "another over plain http), google-api, libretranslate (--url needed, e.g.\n"
           "http://localhost:5000), deepl (a key needed) or openai (any OpenAI-compatible\n"
           "server, --url default http://localhost:11434/v1, --model needed). --url is the\n"
           "service's base address, to which it adds its own path. The key sent is read\n"
           "from --api-key-file, else from the service's own variable (TARVEX_DEEPL_KEY,\n"
           "TARVEX_OPENAI_KEY, TARVEX_LIBRETRANSLATE_KEY), else from TARVEX_API_KEY; never\n"
           "from the command line. It goes only to the chosen service, and never over\n"
           "plain http beyond this computer.\n"
           "Each request ends within --timeout seconds (default 30; 120 for openai).\n"
           "--jobs sends up to N requests at once (1 to 16, default 4; 1 for openai,\n"
           "whose servers answer one at a time).\n"
           "--resume carries on an earlier partial NAME.<code>.ext whose first blocks\n"
           "match FILE, instead of moving it aside. Text is sent as UTF-8: a FILE in\n"
           "UTF-8 or UTF-16 (with its mark) is read as such, any other in the code page\n"
           "--encoding names (default " DEFAULT_ENCODING_TEXT
           "). The output is UTF-16 for\n"
           "a UTF-16 FILE and UTF-8 otherwise.\n"
           "Sync finds the offset, a frame-rate change (23.976, 24, 25, 29.97, 30 or near)\n"
           "and cuts where the film has scenes or breaks the subtitle lacks or the other way\n"
           "round, and prints FILE: what it found (\"later by 2.500 s, speed 25 -> 23.976\n"
           "fps, 1 cut (00:41:10 +8.200 s); 1,298 of 1,332 cues matched the reference\").\n"
           "REFERENCE is a subtitle in any format above, or a film or sound file (.mkv,\n"
           ".mp4, .avi, .webm, .wav, .mp3, .m4a, .ogg, .opus, .flac), whose speech is found.\n"
           "--no-cuts finds one offset and speed for the whole file, --no-speed keeps the\n"
           "speed; --max-offset bounds the offset (default 900 seconds). --point counts\n"
           "cues from 1 in file order; TIME is HH:MM:SS,mmm, MM:SS(.mmm) or seconds, and\n"
           "the times move on the line through both points. --dry-run prints and writes\n"
           "nothing. A match too weak to trust is refused (error 36005) and nothing is\n"
           "written unless --force is given. The file is kept and replaced as by shift.\n"
           "\n"
           "Exit status: 0 done, 1 a run failed (the others are still done) or its output\n"
           "could not be written, 2 refused before any file is touched.\n";
}

bool SplitMinutesSeconds(const std::string& text, std::string& minutes, std::string& seconds) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    std::string mm = text.substr(0, colon);
    std::string ss = text.substr(colon + 1);
    if (!AllDigits(mm) || !SecondsWithDecimals(ss)) return false;
    if (std::stoi(mm) > 59 || std::stoi(ss) > 59) return false;
    minutes = mm;
    seconds = ss;
    return true;
}

CliArguments ParseArguments(const std::vector<std::string>& arguments) {
    CliArguments parsed;
    if (arguments.empty()) throw UsageError{"no command given"};
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        parsed.Which = Command::Help;
        return parsed;
    }
    if (command == "--version") {
        parsed.Which = Command::Version;
        return parsed;
    }
    if (command == "languages") {
        parsed.Which = Command::Languages;
        if (arguments.size() == 1) return parsed;
        if (arguments.size() != 3 || arguments[1] != "--service")
            throw UsageError{"languages takes only --service NAME"};
        parsed.Service = arguments[2];
        return parsed;
    }
    if (command == "translate") return ParseTranslate(arguments);
    if (command == "sync") return ParseSync(arguments);
    if (command != "shift") throw UsageError{"unknown command \"" + command + "\""};

    parsed.Which = Command::Shift;
    int modes = 0;
    std::string amount;
    bool filesOnly = false;
    for (size_t at = 1; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        if (!filesOnly && (word == "--plus" || word == "--minus" || word == "--start")) {
            if (at + 1 >= arguments.size()) throw UsageError{word + " needs MM:SS"};
            ++modes;
            int index = word == "--start" ? 0 : word == "--plus" ? 1 : 2;
            parsed.Request.ModeSelected[index] = true;
            amount = arguments[++at];
        } else if (!filesOnly && word == "--fps") {
            if (at + 1 >= arguments.size()) throw UsageError{"--fps needs FROM:TO"};
            ++modes;
            parsed.FrameRates = arguments[++at];
        } else {
            TakeFileWord(word, filesOnly, parsed.Files);
        }
    }
    if (modes != 1) throw UsageError{"give exactly one of --plus, --minus, --start or --fps"};
    if (parsed.Files.empty()) throw UsageError{"no FILE given"};
    parsed.Request.ActiveTab = 0;
    parsed.Request.PathText = parsed.Files.front();
    parsed.Amount = amount;
    return parsed;
}

}  // namespace tarvex::cli
