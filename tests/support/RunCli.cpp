#include "support/RunCli.h"

#include <cstdio>

#include "support/CliProcess.h"

namespace tarvex::test {

namespace {

std::string CliPath() {
    std::string path = TARVEX_CLI_PATH;
#ifdef _WIN32
    // The build hands over a Linux path; Wine shows the root file system as Z:.
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
#endif
    return path;
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments, const TempFolder& folder) {
    std::string errPath = folder / "stderr.txt";
    CliResult result;
    result.Exit = RunProcess(CliPath(), arguments, errPath, result.Out);
    result.Err = ReadBytes(errPath);
    std::remove(errPath.c_str());
    // Console output of the Windows build has CR LF line ends; compare texts.
    for (std::string* text : {&result.Out, &result.Err}) {
        std::string plain;
        for (char c : *text)
            if (c != '\r') plain.push_back(c);
        *text = plain;
    }
    return result;
}

}  // namespace tarvex::test
