#pragma once
// A fresh folder per test, removed afterwards, and small file helpers that
// bypass the code under test.

#include <string>

namespace tarvex::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The full path of a name inside the folder, with the system's separator.
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);
// Names of the entries in a folder, sorted.
std::string ListFolder(const std::string& folder);

}  // namespace tarvex::test
