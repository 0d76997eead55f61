#include "support/RunCli.h"

#include <cstdio>

#ifndef _WIN32
#include <sys/wait.h>
#endif

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
    std::string command = "\"" + CliPath() + "\"";
    for (const std::string& argument : arguments) command += " \"" + argument + "\"";
    command += " 2>\"" + errPath + "\"";
#ifdef _WIN32
    // cmd.exe drops the outermost pair of quotes of a command line.
    command = "\"" + command + "\"";
    std::FILE* pipe = _popen(command.c_str(), "rb");
#else
    std::FILE* pipe = popen(command.c_str(), "r");
#endif
    CliResult result;
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.Out.append(buffer, got);
#ifdef _WIN32
    result.Exit = _pclose(pipe);
#else
    int status = pclose(pipe);
    result.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
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
