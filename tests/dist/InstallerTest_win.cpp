// The per-user installer, run in a Wine prefix of its own that has never had
// Tarvex: a silent install, "Open with Tarvex" through the shell, an install
// over an older version, and uninstalls that leave nothing of ours behind but
// the settings, unless the user asks for those to go too.

#include <windows.h>
// The shell headers need the types of windows.h first.
#include <knownfolders.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "base/Version.h"
#include "e2e/Driver_win.h"

namespace tarvex::dist {
namespace {

using namespace e2e;

const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tarvex";
const std::wstring kClasses = L"Software\\Classes";
const std::wstring kProgId = L"Tarvex.Subtitle";
const std::wstring kSettingsParent = L"Software\\VB and VBA Program Settings";
const std::wstring kSettingsKey = kSettingsParent + L"\\tarvex";

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The build hands over Linux paths; Wine shows the root file system as Z:.
std::wstring FromBuild(const char* path) {
    std::wstring converted = L"Z:" + Wide(path);
    std::replace(converted.begin(), converted.end(), L'/', L'\\');
    return converted;
}

std::wstring KnownFolder(REFKNOWNFOLDERID folder) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &path))) result = path;
    CoTaskMemFree(path);
    return result;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring RegString(HKEY root, const std::wstring& key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

DWORD RegDword(HKEY root, const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

bool ValueExists(HKEY root, const std::wstring& key, const wchar_t* name) {
    return RegGetValueW(root, key.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool MentionsTarvex(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), towlower);
    return text.find(L"tarvex") != std::wstring::npos;
}

// Every key and value under `key` whose name or text mentions Tarvex, the
// settings aside.
void FindTarvexEntries(HKEY root, const std::wstring& key, std::vector<std::wstring>& found) {
    HKEY opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
    wchar_t name[512];
    std::vector<BYTE> data(8192);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = 512;
        DWORD dataSize = static_cast<DWORD>(data.size()) - sizeof(wchar_t);
        DWORD type = 0;
        std::fill(data.begin(), data.end(), 0);
        LONG status = RegEnumValueW(opened, index, name, &nameLength, nullptr, &type, data.data(), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue;
        std::wstring text = (type == REG_SZ || type == REG_EXPAND_SZ) ? reinterpret_cast<wchar_t*>(data.data()) : L"";
        if (MentionsTarvex(name) || MentionsTarvex(text)) found.push_back(key + L" " + name + L"=" + text);
    }
    std::vector<std::wstring> subkeys;
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = 512;
        if (RegEnumKeyExW(opened, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(key.empty() ? name : key + L"\\" + name);
    }
    RegCloseKey(opened);
    for (const auto& subkey : subkeys) {
        if (_wcsicmp(subkey.c_str(), kSettingsKey.c_str()) == 0) continue;
        if (MentionsTarvex(subkey.substr(subkey.rfind(L'\\') + 1))) found.push_back(subkey);
        FindTarvexEntries(root, subkey, found);
    }
}

void FindTarvexFiles(const std::wstring& folder, std::vector<std::wstring>& found) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + L"\\" + name;
        if (MentionsTarvex(name)) found.push_back(path);
        bool link = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) FindTarvexFiles(path, found);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// Every key, value, file and folder of the user's that mentions Tarvex, the
// settings aside.
std::vector<std::wstring> TarvexTraces() {
    std::vector<std::wstring> found;
    FindTarvexEntries(HKEY_CURRENT_USER, L"", found);
    FindTarvexFiles(KnownFolder(FOLDERID_Profile), found);
    std::sort(found.begin(), found.end());
    return found;
}

// The traces in `after` that were not there `before`, one a line.
std::wstring NewTraces(const std::vector<std::wstring>& before, const std::vector<std::wstring>& after) {
    std::vector<std::wstring> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    std::wstring joined;
    for (const auto& line : added) joined += line + L"\n";
    return joined;
}

// Runs a command line to its end; its exit code, or a large number when it
// could not start or did not end within a minute.
DWORD RunAndWait(std::wstring commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 0xFFFFFF01;
    DWORD code = 0xFFFFFF02;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code;
}

// An uninstaller goes on from a copy of itself in a ~nsu*.tmp folder of the
// temporary folder (so that it can delete its own file) while the first one
// ends at once: wait for the copies too.
void RunUninstaller(const std::wstring& commandLine) {
    ASSERT_EQ(RunAndWait(commandLine), 0u) << commandLine;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process == nullptr) continue;
        wchar_t image[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (QueryFullProcessImageNameW(process, 0, image, &length) && wcsstr(image, L"\\~nsu") != nullptr) {
            EXPECT_EQ(WaitForSingleObject(process, 60000), WAIT_OBJECT_0) << "the uninstaller did not end";
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

std::wstring ShortcutTarget(const std::wstring& shortcut) {
    std::wstring target = L"<none>";
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
    if (file) file->Release();
    link->Release();
    return target;
}

uint64_t FolderBytes(const std::wstring& folder) {
    uint64_t total = 0;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            total += (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return total;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        programs = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs";
        installed = programs + L"\\Tarvex";
        shortcut = KnownFolder(FOLDERID_Programs) + L"\\Tarvex.lnk";
        ASSERT_FALSE(Exists(installed)) << "this prefix already has Tarvex";
        ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    }
    void TearDown() override { CoUninitialize(); }

    std::wstring programs, installed, shortcut;
    const std::wstring setup = FromBuild(TARVEX_SETUP_PATH);
    const std::wstring olderSetup = FromBuild(TARVEX_OLDER_SETUP_PATH);
};

TEST_F(Installer, SilentInstallOpenWithTarvexAndUninstall) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
    // Other tests' leftovers in the copied prefix are not ours to judge.
    const std::vector<std::wstring> tracesBefore = TarvexTraces();
    bool programsExisted = Exists(programs);
    bool txtKeyExisted = KeyExists(HKEY_CURRENT_USER, kClasses + L"\\.txt");
    std::map<std::wstring, bool> newKeyExisted;
    for (const wchar_t* extension : {L".vtt", L".ass", L".ssa"})
        newKeyExisted[extension] = KeyExists(HKEY_CURRENT_USER, kClasses + L"\\" + extension);
    const std::wstring txtDefault = RegString(HKEY_CLASSES_ROOT, L".txt", L"");
    // Another program is the user's choice for .srt; it stays so throughout.
    SetString(kClasses + L"\\.srt", L"", L"OtherPlayer.srt");

    ASSERT_EQ(RunAndWait(L"\"" + setup + L"\" /S"), 0u);
    for (const wchar_t* name : {L"tarvex.exe", L"tarvex-cli.exe", L"README.txt", L"LICENSE", L"uninstall.exe"})
        EXPECT_TRUE(Exists(installed + L"\\" + name)) << name;
    EXPECT_EQ(ShortcutTarget(shortcut), installed + L"\\tarvex.exe");

    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayName"), L"Tarvex");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), Wide(TARVEX_VERSION_TEXT));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"Publisher"), L"The Tarvex developers");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayIcon"), installed + L"\\tarvex.exe,0");
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"),
              L"\"" + installed + L"\\uninstall.exe\"");
    EXPECT_NEAR(RegDword(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize"), FolderBytes(installed) / 1024.0, 4.0);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "written for every user";

    const std::wstring openCommand = L"\"" + installed + L"\\tarvex.exe\" \"%1\"";
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kClasses + L"\\" + kProgId + L"\\shell\\open\\command", L""), openCommand);
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kClasses + L"\\.srt\\OpenWithProgids", kProgId.c_str()));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kClasses + L"\\.txt\\OpenWithProgids", kProgId.c_str()));
    for (const wchar_t* extension : {L".vtt", L".ass", L".ssa"}) {
        EXPECT_TRUE(
            ValueExists(HKEY_CURRENT_USER, kClasses + L"\\" + extension + L"\\OpenWithProgids", kProgId.c_str()));
        EXPECT_TRUE(
            ValueExists(HKEY_CURRENT_USER, kClasses + L"\\Applications\\tarvex.exe\\SupportedTypes", extension));
    }
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kClasses + L"\\.srt", L""), L"OtherPlayer.srt");
    EXPECT_EQ(RegString(HKEY_CLASSES_ROOT, L".txt", L""), txtDefault);

    // "Open with" > Tarvex: the shell opens the file with Tarvex's class. The
    // name has spaces and letters of no single-byte code page. The class key
    // is handed over open, as Wine's shell does not look for classes under
    // HKCU\Software\Classes the way Windows does.
    std::wstring films = KnownFolder(FOLDERID_Documents) + L"\\Фильмы 2";
    CreateDirectoryW(films.c_str(), nullptr);
    std::wstring movie = films + L"\\Мой фильм.srt";
    ASSERT_TRUE(WriteWideFile(movie, "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n"));
    HKEY progId;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (kClasses + L"\\" + kProgId).c_str(), 0, KEY_READ, &progId),
              ERROR_SUCCESS);
    SHELLEXECUTEINFOW open = {};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_CLASSKEY | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    open.hkeyClass = progId;
    open.lpVerb = L"open";
    open.lpFile = movie.c_str();
    open.nShow = SW_SHOWNORMAL;
    BOOL started = ShellExecuteExW(&open);
    RegCloseKey(progId);
    ASSERT_TRUE(started) << "the shell could not open the file with Tarvex";
    ASSERT_NE(open.hProcess, nullptr);
    HWND window = WaitForWindow(GetProcessId(open.hProcess), "Tarvex " TARVEX_VERSION_SHORT_TEXT, 30s);
    ASSERT_NE(window, nullptr) << "Tarvex did not show its window";
    EXPECT_TRUE(WaitUntil([&] { return WideTextOf(FileBoxOf(window)) == movie; }, 10s))
        << "the file box shows another path";
    EXPECT_TRUE(IsEnabled(ProcessButtonOf(window)));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(open.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(open.hProcess);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsKey + L"\\Options", L"lokasi"), films);

    // Apps & features' silent uninstall.
    RunUninstaller(RegString(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString"));
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(Exists(shortcut));
    EXPECT_EQ(Exists(programs), programsExisted);
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kClasses + L"\\.txt"), txtKeyExisted);
    for (const wchar_t* extension : {L".vtt", L".ass", L".ssa"})
        EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kClasses + L"\\" + extension), newKeyExisted.at(extension)) << extension;
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kClasses + L"\\.srt", L""), L"OtherPlayer.srt");
    EXPECT_EQ(NewTraces(tracesBefore, TarvexTraces()), L"") << "left behind";
    // The settings stay unless asked for.
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsKey + L"\\Options", L"lokasi"), films);
    RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L"\\.srt").c_str());
}

TEST_F(Installer, InstallingOverAnOlderVersionKeepsTheSettingsUntilTheUserRemovesThem) {
    SetString(kSettingsKey + L"\\Options", L"from", L"french");
    HKEY parent;
    DWORD programsWithSettings = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsParent.c_str(), 0, KEY_READ, &parent) == ERROR_SUCCESS) {
        RegQueryInfoKeyW(parent, nullptr, nullptr, nullptr, &programsWithSettings, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        RegCloseKey(parent);
    }
    ASSERT_EQ(RunAndWait(L"\"" + olderSetup + L"\" /S"), 0u);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), L"0.0.1");
    ASSERT_EQ(RunAndWait(L"\"" + setup + L"\" /S"), 0u);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), Wide(TARVEX_VERSION_TEXT));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kSettingsKey + L"\\Options", L"from"), L"french");

    RunUninstaller(L"\"" + installed + L"\\uninstall.exe\" /S /RemoveSettings");
    EXPECT_FALSE(Exists(installed));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
    // The programs' settings folder goes with the last program in it.
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kSettingsParent), programsWithSettings > 1);
}

}  // namespace
}  // namespace tarvex::dist
