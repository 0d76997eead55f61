#include "controls/cmdlg/FileDialogText.h"

#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

namespace {

// OFN_* values of the platform, kept here so this file needs no system header.
constexpr uint32_t kExplorer = 0x80000;
constexpr uint32_t kFileMustExist = 0x1000;
constexpr uint32_t kPathMustExist = 0x800;
constexpr uint32_t kAllowMultiSelect = 0x200;
constexpr uint32_t kHideReadOnly = 0x4;
constexpr uint32_t kOverwritePrompt = 0x2;

// Multiple selection returns many names: a large buffer padded with spaces.
constexpr size_t kMultiBufferChars = 9999;
constexpr size_t kSingleBufferChars = 260;

// The name, padded to `chars` characters, then one NUL.
std::string PaddedBuffer(const std::string& name, size_t chars, char pad) {
    if (name.size() > chars) throw RuntimeFailure(tarvex::ErrorNumber::InvalidCall);
    std::string buffer = name;
    buffer.append(chars - name.size(), pad);
    buffer.push_back('\0');
    return buffer;
}

FileDialogRequest CommonRequest(const FileDialogProperties& properties) {
    FileDialogRequest request;
    request.Filter = ConvertFilter(properties.Filter);
    request.Filter.push_back('\0');
    request.InitialDir = properties.InitialDir + '\0';
    request.Title = properties.DialogTitle + '\0';
    request.FilterIndex = properties.FilterIndex;
    return request;
}

void UseSingleBuffers(FileDialogRequest& request, const std::string& defaultFilename) {
    request.FileBuffer = PaddedBuffer(defaultFilename, kSingleBufferChars, '\0');
    request.TitleBuffer = PaddedBuffer("", kSingleBufferChars, '\0');
}

void AddPath(FileResult& result, const std::string& path, const std::string& title) {
    result.FileNames.Add(path);
    result.FileTitles.Add(title);
}

}  // namespace

std::string ConvertFilter(std::string filter) {
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

FileDialogRequest PrepareOpenRequest(const FileDialogProperties& properties) {
    // The buffers are checked before anything else, so a bad name fails
    // before any dialog exists.
    FileDialogRequest request;
    if (properties.MultiSelect) {
        std::string file = PaddedBuffer(properties.DefaultFilename, kMultiBufferChars, ' ');
        request = CommonRequest(properties);
        request.Flags = kExplorer | kFileMustExist | kPathMustExist | kAllowMultiSelect | kHideReadOnly;
        request.FileBuffer = std::move(file);
        request.TitleBuffer = PaddedBuffer("", kMultiBufferChars, ' ');
        return request;
    }
    std::string file = PaddedBuffer(properties.DefaultFilename, kSingleBufferChars, '\0');
    request = CommonRequest(properties);
    request.Flags = kFileMustExist | kPathMustExist | kHideReadOnly;
    UseSingleBuffers(request, properties.DefaultFilename);
    return request;
}

FileDialogRequest PrepareSaveRequest(const FileDialogProperties& properties) {
    PaddedBuffer(properties.DefaultFilename, kSingleBufferChars, '\0');
    FileDialogRequest request = CommonRequest(properties);
    request.Flags = kPathMustExist | kHideReadOnly | kOverwritePrompt;
    UseSingleBuffers(request, properties.DefaultFilename);
    return request;
}

FileResult ParseFileResult(const std::string& buffer) {
    size_t pair = buffer.find(std::string_view("\0\0", 2));
    if (pair == std::string::npos) throw RuntimeFailure(tarvex::ErrorNumber::InvalidCall);
    // The position is a 16-bit count in the record's terms (1-based).
    if (pair + 1 > 32767) throw RuntimeFailure(tarvex::ErrorNumber::Overflow);

    FileResult result;
    std::string head = buffer.substr(0, pair);
    if (head.find('\0') == std::string::npos) {
        size_t slash = head.find_last_of('\\');
        AddPath(result, head, slash == std::string::npos ? head : head.substr(slash + 1));
        return result;
    }

    // Explorer style: folder NUL name NUL name ... NUL NUL.
    size_t folderEnd = head.find('\0');
    std::string folder = head.substr(0, folderEnd);
    bool folderHasSlash = !folder.empty() && folder.back() == '\\';
    size_t start = folderEnd + 1;
    while (start <= head.size()) {
        size_t end = head.find('\0', start);
        if (end == std::string::npos) end = head.size();
        std::string name = head.substr(start, end - start);
        if (!name.empty()) AddPath(result, folderHasSlash ? folder + name : folder + '\\' + name, name);
        start = end + 1;
    }
    return result;
}

}  // namespace tarvex::cmdlg
