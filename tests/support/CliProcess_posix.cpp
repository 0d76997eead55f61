#include <sys/wait.h>

#include <cstdio>

#include "support/CliProcess.h"

namespace tarvex::test {

int RunProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& errPath,
               std::string& out) {
    std::string command = "\"" + program + "\"";
    for (const std::string& argument : arguments) command += " \"" + argument + "\"";
    command += " 2>\"" + errPath + "\"";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarvex::test
