#include "cli/CliArguments.h"

namespace tarvex::cli {

namespace {

bool AllDigits(const std::string& text) {
    if (text.empty() || text.size() > 2) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

const char* UsageText() {
    return "Usage:\n"
           "  tarvex-cli shift --plus MM:SS FILE    move every timestamp later\n"
           "  tarvex-cli shift --minus MM:SS FILE   move every timestamp earlier\n"
           "  tarvex-cli shift --start MM:SS FILE   make the first subtitle start at MM:SS\n"
           "  tarvex-cli --help | --version\n"
           "\n"
           "FILE is an .srt or .txt subtitle file. It is kept as NAME_original.ext (or\n"
           "NAME_originalN.ext when that name is taken) and the shifted file takes its name.\n"
           "MM and SS are whole numbers from 0 to 59.\n"
           "\n"
           "Exit status: 0 done, 1 the run failed, 2 refused before any run.\n";
}

bool SplitMinutesSeconds(const std::string& text, std::string& minutes, std::string& seconds) {
    size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    std::string mm = text.substr(0, colon);
    std::string ss = text.substr(colon + 1);
    if (!AllDigits(mm) || !AllDigits(ss)) return false;
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
    if (command != "shift") throw UsageError{"unknown command \"" + command + "\""};

    parsed.Which = Command::Shift;
    int modes = 0;
    std::string amount;
    std::string file;
    bool filesOnly = false;
    for (size_t at = 1; at < arguments.size(); ++at) {
        const std::string& word = arguments[at];
        if (!filesOnly && (word == "--plus" || word == "--minus" || word == "--start")) {
            if (at + 1 >= arguments.size()) throw UsageError{word + " needs MM:SS"};
            ++modes;
            int index = word == "--start" ? 0 : word == "--plus" ? 1 : 2;
            parsed.Request.ModeSelected[index] = true;
            amount = arguments[++at];
        } else if (!filesOnly && word == "--") {
            filesOnly = true;
        } else if (!filesOnly && word.size() > 1 && word[0] == '-') {
            throw UsageError{"unknown option \"" + word + "\""};
        } else {
            if (!file.empty()) throw UsageError{"only one FILE can be shifted at a time"};
            file = word;
        }
    }
    if (modes != 1) throw UsageError{"give exactly one of --plus, --minus or --start"};
    if (file.empty()) throw UsageError{"no FILE given"};
    parsed.Request.ActiveTab = 0;
    parsed.Request.PathText = file;
    parsed.Amount = amount;
    return parsed;
}

}  // namespace tarvex::cli
