#include <windows.h>

#include "support/CliProcess.h"

namespace tarvex::test {

// Started directly rather than through cmd.exe (as _popen would): under Wine
// every process start costs about a second, and the program receives the
// same command line either way.
int RunProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& errPath,
               std::string& out) {
    std::string commandLine = "\"" + program + "\"";
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherited, 0)) return -1;
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started = err != INVALID_HANDLE_VALUE && CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr,
                                                                       TRUE, 0, nullptr, nullptr, &startup, &process);
    // Only the child holds the writing ends now, so the pipe ends with it.
    CloseHandle(outWrite);
    if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
    if (!started) {
        CloseHandle(outRead);
        return -1;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(outRead, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(outRead);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    const bool exited = GetExitCodeProcess(process.hProcess, &exitCode) != FALSE;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return exited ? static_cast<int>(exitCode) : -1;
}

}  // namespace tarvex::test
