// tarvex.exe used as a person uses it: clicks and key presses at the
// controls' places on the screen, texts read from the windows, message boxes
// answered, files checked byte for byte.

#include <windows.h>
// shlobj.h and wincrypt.h need the types of windows.h first.
#include <shlobj.h>
#include <wincrypt.h>

#include <cstdio>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "app/HexText.h"
#include "app/ServiceTrial.h"
#include "app/SyncFields.h"
#include "app/win/ControlIds.h"
#include "base/TextEncoding.h"
#include "base/Version.h"
#include "e2e/Driver_win.h"
#include "job/ProcessCheck.h"
#include "support/FakeService.h"
#include "support/RaisedError.h"
#include "support/SystemProxy.h"
#include "support/TempFolder.h"
#include "translate/ConnectionSettings.h"
#include "translate/services/ServiceFactory.h"

namespace tarvex::e2e {
namespace {

namespace id = win::ControlId;
using test::ReadBytes;
using test::WriteBytes;

constexpr char kSettingsKey[] = "Software\\VB and VBA Program Settings\\tarvex\\Options";
constexpr UINT kGetPercentage = WM_USER + 0x58;

// Cues of a reference that takes the search a while: reading them alone
// outlasts the press of Cancel many times over.
constexpr int kLongReferenceCues = 400000;

const std::string kTwoCues =
    "1\r\n00:00:45,500 --> 00:00:47,000\r\nHello\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWorld\r\n";

std::string Setting(const char* name) {
    char value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

// For the length of a test the shell opens https pages with a recorder
// instead of a browser: the address it was given lands in `record`.
class RecordedPageOpens {
public:
    explicit RecordedPageOpens(const std::string& record) {
        char old[1024] = {};
        DWORD size = sizeof old;
        hadOld_ = RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
        old_ = old;
        Set("C:\\windows\\system32\\cmd.exe /c echo \"%1\"> \"" + record + "\"");
    }
    ~RecordedPageOpens() {
        if (hadOld_) Set(old_);
    }

private:
    static constexpr char kKey[] = "https\\shell\\open\\command";
    static void Set(const std::string& command) {
        RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>(command.size() + 1));
    }
    bool hadOld_ = false;
    std::string old_;
};

std::wstring WideSetting(const wchar_t* name) {
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\tarvex\\Options", name, RRF_RT_REG_SZ,
                     nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

bool ExistsWide(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A drop as the shell hands it over: DROPFILES, then each wide name ended by
// a zero, then one more zero.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t characters = 1;
    for (const auto& path : paths) characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& path : paths) {
        path.copy(names, path.size());
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void SaveSetting(const char* name, const std::string& value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// What the program's user would read back from a sealed setting.
std::string Unsealed(const std::string& hex) {
    std::optional<std::string> sealed = BytesOfHex(hex);
    if (!sealed) return "<not hex>";
    DATA_BLOB in{static_cast<DWORD>(sealed->size()), reinterpret_cast<BYTE*>(sealed->data())};
    DATA_BLOB out{};
    if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return "<not sealed for this user>";
    std::string plain(reinterpret_cast<char*>(out.pbData), out.cbData);
    LocalFree(out.pbData);
    return plain;
}

std::string UpperCased(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

class TarvexE2e : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\tarvex");
        // The web service over plain http, so that the proxy setting takes
        // its requests to the fake service (https would tunnel past it).
        SaveSetting("url", "http://translate.google.com");
        ASSERT_TRUE(app.Start()) << "tarvex.exe did not show its window";
    }
    void TearDown() override {
        // A test that failed half-way may leave a message box up.
        app.Close();
    }

    HWND Control(int controlId) { return FindControl(app.MainWindow(), controlId); }
    std::string Text(int controlId) { return TextOf(Control(controlId)); }
    // The edit box inside an editable combo, where the user types.
    HWND ComboEdit(int controlId) { return FindWindowExA(Control(controlId), nullptr, "Edit", nullptr); }
    int Percentage() { return static_cast<int>(SendMessageA(Control(id::Progress1), kGetPercentage, 0, 0)); }

    void EnterPath(const std::string& path) {
        ReplaceText(Control(id::Text1), path);
        WaitUntil([&] { return Text(id::Text1) == path; }, 5s);
    }
    void SetShift(int mode, const std::string& minutes, const std::string& seconds) {
        Click(Control(id::rdTambah0 + mode));
        ReplaceText(ComboEdit(id::cmbMenit), minutes);
        ReplaceText(ComboEdit(id::cmbDetik), seconds);
    }
    // Waits for the message box, checks it and presses its OK button.
    void Answer(const std::string& title, const std::string& text) {
        HWND box = WaitForWindow(app.ProcessId(), title, 30s);
        ASSERT_NE(box, nullptr) << "no message box \"" << title << "\"; status: " << Text(id::Label5);
        EXPECT_EQ(MessageBoxText(box), text);
        Click(GetDlgItem(box, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    }
    void SelectTranslationPage() {
        HWND strip = Control(id::TabStrip1);
        RECT place;
        GetWindowRect(strip, &place);
        // Click the first tab (the row of tabs is at the strip's top), then
        // move to the second with the arrow key.
        ClickAt(place.left + 20, place.top + 10);
        Press(VK_RIGHT);
    }

    TarvexProcess app;
    test::TempFolder folder;
};

TEST_F(TarvexE2e, FirstStartAndThePathRule) {
    EXPECT_EQ(Text(id::Label5), "PROCESS NOT STARTING");
    EXPECT_EQ(Text(id::FrameTeks), "Total Text : 0");
    EXPECT_EQ(Text(id::lblKirim), "Process 0 from 0 Text");
    EXPECT_EQ(TextOf(ComboEdit(id::cmbMenit)), "00");
    EXPECT_EQ(TextOf(ComboEdit(id::comFrom)), "english");
    EXPECT_EQ(TextOf(ComboEdit(id::comLan)), "indonesian");
    EXPECT_TRUE(IsShown(Control(id::TransContainer0)));
    EXPECT_FALSE(IsShown(Control(id::TransContainer1)));
    EXPECT_FALSE(IsEnabled(Control(id::cmdProses)));

    std::string upper = folder / "MOVIE.SRT";
    WriteBytes(upper, kTwoCues);
    std::string doc = folder / "notes.doc";
    WriteBytes(doc, kTwoCues);
    EnterPath(folder / "missing.srt");
    EXPECT_FALSE(IsEnabled(Control(id::cmdProses)));
    EnterPath(upper);
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Control(id::cmdProses)); }, 5s));
    EnterPath(doc);
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(Control(id::cmdProses)); }, 5s));
    EnterPath(folder.Path());
    EXPECT_FALSE(IsEnabled(Control(id::cmdProses)));
}

TEST_F(TarvexE2e, TimeShiftPlusMinusAndStartTime) {
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    EnterPath(movie);

    SetShift(1, "0", "30");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie_original.srt"), kTwoCues);
    EXPECT_EQ(ReadBytes(movie),
              "1\r\n00:01:15,500 --> 00:01:17,000\r\nHello\r\n\r\n2\r\n01:00:10,000 --> 01:00:12,000\r\nWorld\r\n\r\n");
    EXPECT_EQ(Text(id::Label5), "Output File : movie.srt");
    EXPECT_EQ(Text(id::FrameTeks), "Total Text : 2");
    EXPECT_EQ(Text(id::lblKirim), "Process 2 from 2 Text");
    EXPECT_EQ(Percentage(), 100);

    const std::string afterPlus = ReadBytes(movie);
    SetShift(2, "1", "0");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie_original1.srt"), afterPlus);
    EXPECT_EQ(ReadBytes(movie),
              "1\r\n00:00:15,500 --> 00:00:17,000\r\nHello\r\n\r\n2\r\n00:59:10,000 --> 00:59:12,000\r\nWorld\r\n"
              "\r\n\r\n");

    // Start Time 00:00: the first cue (15.5 s) moves back 16 s (15.5 rounds
    // to the even 16) and is held at the start.
    SetShift(0, "0", "0");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(movie).substr(0, 34), "1\r\n00:00:00,000 --> 00:00:01,000\r\n");
    EXPECT_TRUE(test::Exists(folder / "movie_original2.srt"));
}

// A WebVTT film dropped on the window and an ASS film from the command line:
// shifted by fractions of a second and translated, only their times and
// their text changed.
TEST_F(TarvexE2e, WebVttAndAssFilmsShiftAndTranslate) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    const std::string vtt = folder / "film.vtt";
    WriteBytes(vtt,
               "WEBVTT\n\nNOTE synced at 00:00:05.000\n\n00:00:01.000 --> 00:00:02.000 align:start\n"
               "<v Anna>Hello <00:00:01.500>there\n\n59:59.000 --> 01:00:00.500\nWorld\n");
    ASSERT_TRUE(DeliverDrop(app.MainWindow(), MakeDrop({std::wstring(vtt.begin(), vtt.end())})));
    ASSERT_TRUE(WaitUntil([&] { return Text(id::Text1) == vtt && IsEnabled(Control(id::cmdProses)); }, 10s));
    SetShift(1, "0", "1.5");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    const std::string shifted =
        "WEBVTT\n\nNOTE synced at 00:00:05.000\n\n00:00:02.500 --> 00:00:03.500 align:start\n"
        "<v Anna>Hello <00:00:03.000>there\n\n01:00:00.500 --> 01:00:02.000\nWorld\n";
    EXPECT_EQ(ReadBytes(vtt), shifted);
    EXPECT_TRUE(test::Exists(folder / "film_original.vtt"));
    EXPECT_EQ(Text(id::FrameTeks), "Total Text : 2");
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "film.id.vtt"),
              "WEBVTT\n\nNOTE synced at 00:00:05.000\n\n00:00:02.500 --> 00:00:03.500 align:start\n"
              "<v Anna>HELLO THERE\n\n01:00:00.500 --> 01:00:02.000\nWORLD\n");
    ASSERT_TRUE(app.Close());

    const std::string head =
        "[Script Info]\r\nTitle: x\r\n\r\n[Events]\r\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    const std::string ass = folder / "film.ass";
    WriteBytes(ass, head +
                        "Comment: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,note\r\n"
                        "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\i1}Hello\\Nworld\r\n");
    ASSERT_TRUE(app.Start(L"\"" + std::wstring(ass.begin(), ass.end()) + L"\""));
    ASSERT_TRUE(IsEnabled(Control(id::cmdProses)));
    // The window opens on the translation page, where it was closed.
    ASSERT_TRUE(IsShown(Control(id::TransContainer1)));
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "film.id.ass"),
              head +
                  "Comment: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,note\r\n"
                  "Dialogue: 0,0:00:01.00,0:00:02.50,Default,,0,0,0,,{\\i1}HELLO\\NWORLD\r\n");
    test::SetSystemProxy("");
    RECT strip;
    GetWindowRect(Control(id::TabStrip1), &strip);
    ClickAt(strip.left + 20, strip.top + 10);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer0)); }, 5s));
    SetShift(2, "0", "0,25");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(ass), head +
                                  "Comment: 0,0:00:00.00,0:00:00.00,Default,,0,0,0,,note\r\n"
                                  "Dialogue: 0,0:00:00.75,0:00:02.25,Default,,0,0,0,,{\\i1}Hello\\Nworld\r\n");
}

TEST_F(TarvexE2e, RefusalsBeforeAnyRun) {
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    EnterPath(movie);
    SetShift(1, "00", "00");
    Click(Control(id::cmdProses));
    Answer("Information", "Minutes and Seconds are not specified or is 0..!");
    for (const char* seconds : {"75", "1.2345"}) {
        SetShift(1, "00", seconds);
        Click(Control(id::cmdProses));
        Answer("Information", kAmountRangeText);
    }

    SetShift(1, "00", "05");
    DeleteFileA(movie.c_str());
    Click(Control(id::cmdProses));
    Answer("Error Message", "File Not Found...!");
    EXPECT_EQ(Text(id::Label5), "PROCESS NOT STARTING");
    EXPECT_EQ(test::ListFolder(folder.Path()), "");
}

TEST_F(TarvexE2e, TranslationThroughTheProxySetting) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    EnterPath(movie);
    // A typed code that would name a folder is refused before anything is touched.
    ReplaceText(ComboEdit(id::comLan), "/x");
    Click(Control(id::cmdProses));
    Answer("Information", kLanguageCodeText);
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt");
    ReplaceText(ComboEdit(id::comLan), "indonesian");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    test::SetSystemProxy("");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"),
              "1\r\n00:00:45,500 --> 00:00:47,000\r\nHELLO\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWORLD\r\n");
    EXPECT_EQ(ReadBytes(movie), kTwoCues);
    EXPECT_EQ(Text(id::Label5), "Output File : movie.id.srt");
    EXPECT_EQ(Percentage(), 100);
    EXPECT_EQ(fake.CountInRecords("\"via_proxy\": true"), 2);
}

// The service answers one segment per sentence, escaped; when it answers
// with no translation at all, the finish message says so.
TEST_F(TarvexE2e, SegmentedRepliesKeepEverySentenceAndUntranslatedBlocksAreReported) {
    test::FakeService fake;
    fake.Reset();
    fake.Control("mode=sentences");
    test::SetSystemProxy(fake.Address());
    const std::string movie = folder / "movie.srt";
    const std::string film =
        "1\r\n00:00:01,000 --> 00:00:02,000\r\nPardon? If you were a man,\r\nI would box you.\r\n\r\n"
        "2\r\n00:00:03,000 --> 00:00:04,000\r\nHe said \"no\", then <b>a & b</b>\r\n";
    WriteBytes(movie, film);
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    EnterPath(movie);
    ReplaceText(ComboEdit(id::comLan), "indonesian");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nPARDON? IF YOU WERE A MAN,\r\nI WOULD BOX YOU.\r\n\r\n"
              "2\r\n00:00:03,000 --> 00:00:04,000\r\nHE SAID\"NO\", THEN <B>A & B</B>\r\n");

    fake.Control("mode=nomarks");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..\r\n2 of 2 blocks came back untranslated");
    test::SetSystemProxy("");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"),
              "1\r\n00:00:01,000 --> 00:00:02,000\r\nPardon? If you were a man,\r\nI would box you.\r\n\r\n"
              "2\r\n00:00:03,000 --> 00:00:04,000\r\nHe said \"no\", then <b>a & b</b>\r\n");
    EXPECT_EQ(ReadBytes(movie), film);
}

TEST_F(TarvexE2e, APartialTranslationIsOfferedToBeContinued) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    // Not UTF-8: read in the locale's ANSI page (1252 here), sent and written as UTF-8.
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues + "\r\n3\r\n01:00:00,000 --> 01:00:01,000\r\nCaf\xE9\r\n");
    const std::string whole =
        "1\r\n00:00:45,500 --> 00:00:47,000\r\nHELLO\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWORLD\r\n\r\n"
        "3\r\n01:00:00,000 --> 01:00:01,000\r\nCAF\xC3\xA9\r\n";
    // What a run broken after the first block leaves behind.
    const std::string partial = whole.substr(0, whole.find("WORLD"));
    WriteBytes(folder / "movie.id.srt", partial);
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    EnterPath(movie);
    ReplaceText(ComboEdit(id::comLan), "indonesian");

    // No: moved aside, translated from the start.
    Click(Control(id::cmdProses));
    HWND question = WaitForWindow(app.ProcessId(), "Continue Translation", 30s);
    ASSERT_NE(question, nullptr) << Text(id::Label5);
    EXPECT_NE(MessageBoxText(question).find("already holds 1 of 3 translated blocks"), std::string::npos)
        << MessageBoxText(question);
    Click(GetDlgItem(question, IDNO));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"), whole);
    EXPECT_EQ(ReadBytes(folder / "movie.id1.srt"), partial);
    EXPECT_EQ(fake.CountInRecords("\"text\": "), 3);

    // Yes: the kept block is not asked for again.
    WriteBytes(folder / "movie.id.srt", partial);
    fake.Reset();
    Click(Control(id::cmdProses));
    question = WaitForWindow(app.ProcessId(), "Continue Translation", 30s);
    ASSERT_NE(question, nullptr) << Text(id::Label5);
    Click(GetDlgItem(question, IDYES));
    Answer("Finish", "Process Success Bos..");
    test::SetSystemProxy("");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"), whole);
    EXPECT_EQ(fake.CountInRecords("\"text\": "), 2);
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.id.srt movie.id1.srt movie.srt");
}

TEST_F(TarvexE2e, RunsEndPastACutOffEarlierOutputAndAnHourLongRetryAfter) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    auto utf16 = [](const std::string& text) { return "\xFF\xFE" + Utf8ToUtf16(text, false); };
    const std::string movie = folder / "movie.srt";
    WriteBytes(movie, utf16(kTwoCues));
    // What a write broken off inside a character leaves.
    const std::string earlier = utf16(kTwoCues).substr(0, 31);
    WriteBytes(folder / "movie.id.srt", earlier);
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    EnterPath(movie);
    ReplaceText(ComboEdit(id::comLan), "indonesian");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie.id1.srt"), earlier);
    EXPECT_EQ(
        ReadBytes(folder / "movie.id.srt"),
        utf16("1\r\n00:00:45,500 --> 00:00:47,000\r\nHELLO\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWORLD\r\n"));

    // Refusals to the requests in flight, the later ones asking for an hour.
    fake.Control("mode=status&status=429&retry_after=1,3600");
    const auto start = std::chrono::steady_clock::now();
    Click(Control(id::cmdProses));
    HWND box = WaitForWindow(app.ProcessId(), "Error", kDefaultTimeout + 10s);
    const auto took = std::chrono::steady_clock::now() - start;
    test::SetSystemProxy("");
    ASSERT_NE(box, nullptr) << Text(id::Label5);
    EXPECT_EQ(MessageBoxText(box).rfind("Something Wrong (3576", 0), 0u) << MessageBoxText(box);
    Click(GetDlgItem(box, IDOK));
    EXPECT_LT(took, kDefaultTimeout + 1s);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    EXPECT_EQ(Text(id::Label5), "PROCESS FAILED");
    // No longer busy: Close can close.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(id::cmdTutup)) != FALSE; }, 5s));
    std::printf("an hour's Retry-After ended the window's run after %.1f s\n",
                std::chrono::duration<double>(took).count());
}

// The Service dialog: a service refused before anything is touched, then
// LibreTranslate at the fake service, tried, kept with its key sealed, and
// used by Process.
TEST_F(TarvexE2e, ServiceDialogTestKeepsTheKeySealedAndProcessUsesTheService) {
    test::FakeService fake;
    fake.Reset();
    const std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    EnterPath(movie);
    const DWORD process = app.ProcessId();
    HWND dialog = nullptr;
    auto openDialog = [&] {
        PressWith(VK_MENU, 'V');
        dialog = WaitForWindow(process, "Translation Service", 10s);
        return dialog != nullptr &&
               WaitUntil([&] { return FocusOf(app.MainWindow()) == FindControl(dialog, id::cboService); }, 5s);
    };
    auto field = [&](int control) { return FindControl(dialog, control); };
    auto answer = [&] { return TextOf(field(id::txtAnswer)); };

    // DeepL over plain http to a remote host: Test shows the numbered
    // refusal, and so does Process, before any file is touched.
    ASSERT_TRUE(openDialog()) << "no dialog, or the focus is not on the service list";
    Type("d");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cboService)) == "deepl"; }, 5s));
    EXPECT_FALSE(IsEnabled(field(id::txtModel)));
    ReplaceText(field(id::txtUrl), "http://example.com");
    ReplaceText(field(id::txtKey), "tarvex-test-key");
    ServiceSettings refused{"deepl", "http://example.com", "", "", "tarvex-test-key", "english", "indonesian"};
    const RuntimeError refusal = test::ErrorRaisedBy([&] { MakeService(refused); });
    PressWith(VK_MENU, 'T');
    EXPECT_TRUE(WaitUntil([&] { return answer() == ErrorReportText(refusal); }, 30s)) << answer();
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
    Click(Control(id::cmdProses));
    Answer("Information", refusal.Description());
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt");
    EXPECT_EQ(Text(id::Label5), "PROCESS NOT STARTING");

    // LibreTranslate at the fake: the sample line comes back translated.
    ASSERT_TRUE(openDialog());
    Type("l");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cboService)) == "libretranslate"; }, 5s));
    const std::string url = "http://" + fake.Address();
    ReplaceText(field(id::txtUrl), url);
    Click(field(id::cmdTest));
    EXPECT_TRUE(WaitUntil([&] { return answer() == UpperCased(kTrialLine); }, 60s)) << answer();
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
    EXPECT_EQ(Setting("service"), "libretranslate");
    EXPECT_EQ(Setting("url"), url);
    // The key typed for deepl stays deepl's, sealed: libretranslate has none.
    EXPECT_EQ(Setting("key_deepl").find("tarvex-test-key"), std::string::npos);
    EXPECT_EQ(Unsealed(Setting("key_deepl")), "tarvex-test-key");
    EXPECT_EQ(Setting("key_libretranslate"), "");

    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_EQ(ReadBytes(folder / "movie.id.srt"),
              "1\r\n00:00:45,500 --> 00:00:47,000\r\nHELLO\r\n\r\n2\r\n00:59:40,000 --> 00:59:42,000\r\nWORLD\r\n");
    EXPECT_EQ(ReadBytes(movie), kTwoCues);
    EXPECT_EQ(fake.CountInRecords("tarvex-test-key"), 0);  // never sent to another service

    // Esc while a Test waits on a service that never answers: the dialog
    // closes at once, and everything stays as it was.
    ASSERT_TRUE(openDialog());
    Type("g");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cboService)) == "google"; }, 5s));
    ReplaceText(field(id::txtUrl), "http://" + fake.UnreachableAddress());
    PressWith(VK_MENU, 'T');
    ASSERT_TRUE(WaitUntil([&] { return !answer().empty(); }, 5s));
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s)) << answer();
    EXPECT_EQ(Setting("service"), "libretranslate");
    EXPECT_EQ(Setting("url"), url);
}

TEST_F(TarvexE2e, OpenThroughTheFileDialogAndSettingsAfterARestart) {
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    Click(Control(id::cmdBuka));
    HWND dialog = WaitForWindow(app.ProcessId(), "Select Input Subtitle");
    ASSERT_NE(dialog, nullptr);
    Type(movie);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Text(id::Text1) == movie; }, 10s)) << Text(id::Text1);
    EXPECT_TRUE(IsEnabled(Control(id::cmdProses)));

    SelectTranslationPage();
    ReplaceText(ComboEdit(id::comFrom), "french");
    ReplaceText(ComboEdit(id::comLan), "german");
    Click(Control(id::cmdTutup));
    ASSERT_TRUE(app.HasExited(10s));
    EXPECT_EQ(Setting("tab"), "1");
    EXPECT_EQ(Setting("lokasi"), folder.Path());
    EXPECT_EQ(Setting("from"), "french");
    EXPECT_EQ(Setting("to"), "german");

    TarvexProcess again;
    ASSERT_TRUE(again.Start());
    HWND window = again.MainWindow();
    EXPECT_TRUE(IsShown(FindControl(window, id::TransContainer1)));
    EXPECT_FALSE(IsShown(FindControl(window, id::TransContainer0)));
    EXPECT_EQ(TextOf(FindWindowExA(FindControl(window, id::comFrom), nullptr, "Edit", nullptr)), "french");
    EXPECT_EQ(TextOf(FindWindowExA(FindControl(window, id::comLan), nullptr, "Edit", nullptr)), "german");
    EXPECT_TRUE(again.Close());
}

TEST_F(TarvexE2e, FilesFromTheShellOpenAsWithOpen) {
    // Dropped: the first of two opens, and its folder is remembered.
    std::string base = folder.Path();
    std::wstring wideBase(base.begin(), base.end());
    std::wstring first = wideBase + L"\\dropped one.txt";
    std::wstring second = wideBase + L"\\other.srt";
    ASSERT_TRUE(WriteWideFile(first, kTwoCues) && WriteWideFile(second, kTwoCues));
    EXPECT_TRUE(GetWindowLongPtrW(app.MainWindow(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
        << "the shell would not drop here";
    ASSERT_TRUE(DeliverDrop(app.MainWindow(), MakeDrop({first, second})));
    EXPECT_TRUE(WaitUntil([&] { return WideTextOf(Control(id::Text1)) == first; }, 10s));
    EXPECT_TRUE(IsEnabled(Control(id::cmdProses)));
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(WideSetting(L"lokasi"), wideBase);

    // On the command line: a quoted path with spaces and letters that no
    // single-byte code page holds, shifted all the way through.
    std::wstring films = wideBase + L"\\Фильмы 字幕";
    ASSERT_TRUE(CreateDirectoryW(films.c_str(), nullptr));
    std::wstring movie = films + L"\\фильм ü.srt";
    ASSERT_TRUE(WriteWideFile(movie, kTwoCues));
    ASSERT_TRUE(app.Start(L"\"" + movie + L"\""));
    EXPECT_EQ(WideTextOf(Control(id::Text1)), movie);
    ASSERT_TRUE(IsEnabled(Control(id::cmdProses))) << "the path rule did not find the file";
    SetShift(1, "0", "30");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_TRUE(ExistsWide(films + L"\\фильм ü_original.srt"));
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(WideSetting(L"lokasi"), films);
}

TEST_F(TarvexE2e, LogoAnimatesAndOpensTheAboutBox) {
    constexpr UINT kGetFrames = WM_USER + 0x60;
    HWND logo = Control(id::tarvoAsli);
    ASSERT_NE(logo, nullptr);
    auto frames = [&] { return static_cast<int>(SendMessageA(logo, kGetFrames, 0, 0)); };
    RECT place;
    GetWindowRect(logo, &place);
    const int middleX = (place.left + place.right) / 2;
    const int middleY = (place.top + place.bottom) / 2;
    MoveTo(middleX, middleY);
    EXPECT_TRUE(WaitUntil([&] { return frames() == 4; }, 5s)) << frames();
    MoveTo(place.right + 40, middleY);  // away from the logo: it falls back
    EXPECT_TRUE(WaitUntil([&] { return frames() == 0; }, 5s)) << frames();

    // Closed by Enter, by Esc and by OK; the main window waits meanwhile.
    for (int way = 0; way < 3; ++way) {
        Click(logo);
        HWND about = WaitForWindow(app.ProcessId(), "Tentang Tarvex " TARVEX_VERSION_TEXT);
        ASSERT_NE(about, nullptr) << way;
        EXPECT_FALSE(IsWindowEnabled(app.MainWindow()));
        EXPECT_NE(FindWindowExA(about, nullptr, "Static", "TARVEX - TARVO SUBTITLE EDITOR"), nullptr);
        if (way == 0) Press(VK_RETURN);
        if (way == 1) Press(VK_ESCAPE);
        if (way == 2) Click(GetDlgItem(about, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s)) << way;
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.MainWindow()) != FALSE; }, 5s));
    }
}

TEST_F(TarvexE2e, DonatePictureOpensItsPageThroughTheShell) {
    const std::string record = folder / "opened.txt";
    RecordedPageOpens recorder(record);
    Click(Control(id::Picture1));
    ASSERT_TRUE(
        WaitUntil([&] { return test::Exists(record) && ReadBytes(record).find("DONATE") != std::string::npos; }, 30s));
    EXPECT_NE(
        ReadBytes(record).find("https://www.paypal.com/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=TARVEX11DONATE"),
        std::string::npos)
        << ReadBytes(record);
}

TEST_F(TarvexE2e, WholeShiftAndTranslationWithKeysOnly) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    std::string movie = folder / "movie.srt";
    WriteBytes(movie, kTwoCues);
    SetForegroundWindow(app.MainWindow());
    // The control that holds the focus (an editable combo for its edit box).
    auto focused = [&] {
        HWND focus = FocusOf(app.MainWindow());
        HWND parent = focus ? GetParent(focus) : nullptr;
        return parent && GetDlgCtrlID(parent) >= id::cmbMenit && GetDlgCtrlID(parent) <= id::comLan
                   ? GetDlgCtrlID(parent)
                   : GetDlgCtrlID(focus);
    };
    // A key that moves the focus, and the control it lands on once the
    // program has taken the key in (a busy machine may take longer than
    // the driver's settle).
    auto moveFocus = [&](const std::function<void()>& keys) {
        const int before = focused();
        keys();
        WaitUntil([&] { return focused() != before; }, 5s);
        return focused();
    };
    auto tab = [&] { return moveFocus([] { Press(VK_TAB); }); };
    auto tabTo = [&](int control) {
        for (int presses = 0; presses < 12 && focused() != control; ++presses) tab();
        return focused() == control;
    };

    // The focus starts on the first control, not on the bare window; F1
    // opens the About box and gives the focus back when it closes.
    EXPECT_TRUE(WaitUntil([&] { return focused() == id::Text1; }, 5s)) << focused();
    Press(VK_F1);
    HWND about = WaitForWindow(app.ProcessId(), "Tentang Tarvex " TARVEX_VERSION_TEXT);
    ASSERT_NE(about, nullptr);
    Press(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return focused() == id::Text1; }, 5s)) << focused();

    // Reading order, Process left out while it is disabled; Shift+Tab goes back.
    ASSERT_TRUE(tabTo(id::Text1));
    std::vector<int> order;
    for (int step = 0; step < 7; ++step) order.push_back(tab());
    EXPECT_EQ(order, (std::vector<int>{id::cmdBuka, id::TabStrip1, id::cmbMenit, id::cmbDetik, id::rdTambah0,
                                       id::cmdTutup, id::Text1}));
    EXPECT_EQ(moveFocus([] { PressWith(VK_SHIFT, VK_TAB); }), id::cmdTutup);

    // Alt+O opens; the name is typed into the dialog.
    PressWith(VK_MENU, 'O');
    ASSERT_NE(WaitForWindow(app.ProcessId(), "Select Input Subtitle"), nullptr);
    Type(movie);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Text(id::Text1) == movie; }, 10s));
    ASSERT_TRUE(IsEnabled(Control(id::cmdProses)));

    // 1:30 later: amounts typed over the selected texts, Plus by the arrow
    // key, Enter for Process and for the closing message.
    ASSERT_TRUE(tabTo(id::cmbMenit));
    Type("1");
    ASSERT_TRUE(tabTo(id::cmbDetik));
    Type("30");
    ASSERT_TRUE(tabTo(id::rdTambah0));
    EXPECT_EQ(moveFocus([] { Press(VK_DOWN); }), id::rdTambah0 + 1);
    EXPECT_EQ(SendMessageA(Control(id::rdTambah0 + 1), BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(SendMessageA(Control(id::rdTambah0), BM_GETCHECK, 0, 0), 0);
    Press(VK_RETURN);
    ASSERT_NE(WaitForWindow(app.ProcessId(), "Finish", 30s), nullptr) << Text(id::Label5);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return WaitForWindow(app.ProcessId(), "Finish", 0ms) == nullptr; }, 5s));
    EXPECT_EQ(ReadBytes(movie).substr(0, 34), "1\r\n00:02:15,500 --> 00:02:17,000\r\n");

    // The translation page by the arrow key on the tab strip, a target
    // language typed, Enter.
    ASSERT_TRUE(tabTo(id::TabStrip1));
    Press(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    ASSERT_TRUE(tabTo(id::comLan));
    Type("german");
    Press(VK_RETURN);
    ASSERT_NE(WaitForWindow(app.ProcessId(), "Finish", 30s), nullptr) << Text(id::Label5);
    Press(VK_RETURN);
    test::SetSystemProxy("");
    EXPECT_EQ(ReadBytes(folder / "movie.de.srt").substr(0, 41), "1\r\n00:02:15,500 --> 00:02:17,000\r\nHELLO\r\n");

    // Alt+C closes the window.
    ASSERT_TRUE(WaitUntil([&] { return WaitForWindow(app.ProcessId(), "Finish", 0ms) == nullptr; }, 5s));
    PressWith(VK_MENU, 'C');
    EXPECT_TRUE(app.HasExited(10s));
}

TEST_F(TarvexE2e, NamesInAnyScriptThroughOpenShiftTranslationAndSettings) {
    test::FakeService fake;
    fake.Reset();
    test::SetSystemProxy(fake.Address());
    std::string base = folder.Path();
    std::wstring films = std::wstring(base.begin(), base.end()) + L"\\Café Фильмы 字幕";
    ASSERT_TRUE(CreateDirectoryW(films.c_str(), nullptr));
    std::wstring movie = films + L"\\película ёж 映画.srt";
    ASSERT_TRUE(WriteWideFile(movie, kTwoCues));

    Click(Control(id::cmdBuka));
    ASSERT_NE(WaitForWindow(app.ProcessId(), "Select Input Subtitle"), nullptr);
    TypeWide(movie);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return WideTextOf(Control(id::Text1)) == movie; }, 10s));
    ASSERT_TRUE(IsEnabled(Control(id::cmdProses))) << "the path rule did not find the file";

    SetShift(1, "0", "30");
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    EXPECT_TRUE(ExistsWide(films + L"\\película ёж 映画_original.srt"));
    EXPECT_EQ(WideTextOf(Control(id::Label5)), L"Output File : película ёж 映画.srt");

    SelectTranslationPage();
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    Click(Control(id::cmdProses));
    Answer("Finish", "Process Success Bos..");
    test::SetSystemProxy("");
    EXPECT_TRUE(ExistsWide(films + L"\\película ёж 映画.id.srt"));
    EXPECT_EQ(WideTextOf(Control(id::Label5)), L"Output File : película ёж 映画.id.srt");

    ASSERT_TRUE(app.Close());
    EXPECT_EQ(WideSetting(L"lokasi"), films);
    // The remembered folder is where the next Open starts.
    ASSERT_TRUE(app.Start());
    Click(Control(id::cmdBuka));
    HWND dialog = WaitForWindow(app.ProcessId(), "Select Input Subtitle");
    ASSERT_NE(dialog, nullptr);
    TypeWide(L"película ёж 映画.id.srt");
    Press(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return WideTextOf(Control(id::Text1)) == films + L"\\película ёж 映画.id.srt"; }, 10s))
        << "not opened from the remembered folder";
}

// Cues of irregular lengths and gaps, as speech has, so that only one shift
// fits; starts in milliseconds.
std::vector<int64_t> CueStarts(int count) {
    std::vector<int64_t> starts;
    int64_t start = 10000;
    for (int cue = 0; cue < count; ++cue) {
        starts.push_back(start);
        start += 900 + cue * 7919 % 2600 + 200 + cue * 104729 % 3000;
    }
    return starts;
}

std::string Stamp(int64_t millis) {
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld,%03lld", static_cast<long long>(millis / 3600000),
                  static_cast<long long>(millis / 60000 % 60), static_cast<long long>(millis / 1000 % 60),
                  static_cast<long long>(millis % 1000));
    return text;
}

// An SRT file of those cues, every time `shift` later.
std::string CueFile(const std::vector<int64_t>& starts, int64_t shift) {
    std::string file;
    for (size_t cue = 0; cue < starts.size(); ++cue) {
        const int64_t start = starts[cue] + shift;
        file += std::to_string(cue + 1) + "\r\n" + Stamp(start) + " --> " + Stamp(start + 900 + cue * 7919 % 2600) +
                "\r\nLine " + std::to_string(cue + 1) + "\r\n\r\n";
    }
    return file;
}

// Every "HH:MM:SS,mmm" of a file, in milliseconds.
std::vector<int64_t> StampsIn(const std::string& file) {
    std::vector<int64_t> stamps;
    int hours, minutes, seconds, millis, used = 0;
    for (size_t at = file.find(" --> "); at != std::string::npos; at = file.find(" --> ", at + 5))
        for (size_t from : {file.rfind('\n', at) + 1, at + 5})
            if (std::sscanf(file.c_str() + from, "%d:%d:%d,%d%n", &hours, &minutes, &seconds, &millis, &used) == 4)
                stamps.push_back(((hours * 60LL + minutes) * 60 + seconds) * 1000 + millis);
    return stamps;
}

std::wstring Wide(const std::string& path) {
    return std::wstring(path.begin(), path.end());
}

// Cues whose times have nothing to do with those above: a reference that
// fits only weakly.
std::string UnrelatedCueFile(int count) {
    std::string file;
    int64_t start = 5000;
    for (int cue = 0; cue < count; ++cue) {
        const int64_t length = 600 + cue * 3571 % 1900;
        file += std::to_string(cue + 1) + "\r\n" + Stamp(start) + " --> " + Stamp(start + length) + "\r\nOther\r\n\r\n";
        start += length + 150 + cue * 6007 % 4100;
    }
    return file;
}

// A subtitle 2.5 s late, and references browsed for and dropped on the Sync
// dialog: one that fits only weakly is shown as such and written only if the user says
// so; one in time is shown in words, nothing written, then Apply writes the
// file as Process does, with its backup, its messages and the window's panel.
TEST_F(TarvexE2e, SyncToAReferenceSubtitleIsShownThenWrittenAsProcessWrites) {
    const std::vector<int64_t> starts = CueStarts(60);
    const std::string movie = folder / "movie.srt", reference = folder / "reference.srt", other = folder / "other.srt";
    const std::string late = CueFile(starts, 2500);
    WriteBytes(movie, late);
    WriteBytes(reference, CueFile(starts, 0));
    WriteBytes(other, UnrelatedCueFile(60));
    EXPECT_FALSE(IsEnabled(Control(id::cmdSync))) << "Sync without a subtitle file";
    EnterPath(movie);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(id::cmdSync)); }, 5s));

    PressWith(VK_MENU, 'Y');
    HWND dialog = WaitForWindow(app.ProcessId(), "Sync");
    ASSERT_NE(dialog, nullptr);
    auto field = [&](int control) { return FindControl(dialog, control); };
    auto finding = [&] { return TextOf(field(id::txtFinding)); };
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(app.MainWindow()) == field(id::txtReference); }, 5s));
    EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "the shell would not drop here";

    // Browse starts in the subtitle's folder while none is remembered.
    PressWith(VK_MENU, 'B');
    HWND browse = WaitForWindow(app.ProcessId(), "Select Reference");
    ASSERT_NE(browse, nullptr);
    Type("other.srt");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::txtReference)) == other; }, 10s)) << "not opened there";
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.MainWindow()) == field(id::cmdFind); }, 5s)) << "Enter would browse";
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(field(id::cmdApply)); }, 60s)) << finding();
    EXPECT_NE(finding().find("\r\nThis fit is weak"), std::string::npos) << finding();
    Press(VK_RETURN);
    HWND question = WaitForWindow(app.ProcessId(), kWeakFindingTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question).rfind("The fit found is weak", 0), 0u) << MessageBoxText(question);
    Click(GetDlgItem(question, IDNO));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 5s));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(ReadBytes(movie), late);

    ASSERT_TRUE(DeliverDrop(dialog, MakeDrop({Wide(reference)})));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::txtReference)) == reference; }, 10s));
    EXPECT_FALSE(IsEnabled(field(id::cmdApply))) << "a finding outlived its reference";
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(field(id::cmdApply)); }, 60s))
        << TextOf(field(id::lblStage)) << " / " << finding();
    EXPECT_EQ(finding().rfind("Found: earlier by 2.", 0), 0u) << finding();
    EXPECT_EQ(finding().find("weak"), std::string::npos) << finding();
    EXPECT_EQ(test::ListFolder(folder.Path()), "movie.srt other.srt reference.srt") << "Find wrote something";
    EXPECT_EQ(ReadBytes(movie), late);

    Press(VK_RETURN);
    Answer("Finish", "Process Success Bos..");
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(ReadBytes(folder / "movie_original.srt"), late);
    const std::vector<int64_t> expected = StampsIn(CueFile(starts, 0)), written = StampsIn(ReadBytes(movie));
    ASSERT_EQ(written.size(), expected.size());
    for (size_t at = 0; at < written.size(); ++at)
        EXPECT_NEAR(written[at], expected[at], 40) << "time " << at << " of " << movie;
    EXPECT_EQ(Text(id::Label5), "Output File : movie.srt");
    EXPECT_EQ(Text(id::FrameTeks), "Total Text : 60");
    EXPECT_EQ(Percentage(), 100);
    EXPECT_EQ(Setting("synclokasi"), folder.Path());
}

// Refusals of the two-line form, a fit by two lines closed unused, a
// reference refused with its numbered error, and a search cancelled: the
// dialog answers at once and nothing is written.
TEST_F(TarvexE2e, SyncByTwoLinesAnErrorAndACancelledSearchWriteNothing) {
    const std::vector<int64_t> starts = CueStarts(60);
    const std::string movie = folder / "movie.srt", reference = folder / "long.srt", empty = folder / "empty.srt";
    const std::string late = CueFile(starts, 2500);
    WriteBytes(movie, late);
    WriteBytes(empty, "\r\n");
    // Long enough that the search is still going when Cancel is pressed.
    WriteBytes(reference, CueFile(CueStarts(kLongReferenceCues), 0));
    EnterPath(movie);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(id::cmdSync)); }, 5s));
    Click(Control(id::cmdSync));
    HWND dialog = WaitForWindow(app.ProcessId(), "Sync");
    ASSERT_NE(dialog, nullptr);
    auto field = [&](int control) { return FindControl(dialog, control); };
    // Keys go to whatever has the focus: the dialog must have it first.
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(app.MainWindow()) == field(id::txtReference); }, 5s));

    PressWith(VK_MENU, 'W');
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(field(id::txtCue0)); }, 5s));
    EXPECT_FALSE(IsEnabled(field(id::txtReference)));
    ReplaceText(field(id::txtCue0), "1");
    ReplaceText(field(id::txtTime0), "0:10");
    ReplaceText(field(id::txtCue0 + 1), "1");
    ReplaceText(field(id::txtTime0 + 1), Stamp(starts.back()));
    Press(VK_RETURN);
    HWND box = WaitForWindow(app.ProcessId(), "Information");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kCueNumberText);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    ReplaceText(field(id::txtCue0 + 1), "60");
    PressWith(VK_MENU, 'T');
    Type("10");
    Press(VK_RETURN);
    box = WaitForWindow(app.ProcessId(), "Information");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), kCueTimeText);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    ReplaceText(field(id::txtTime0), "00:10");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(field(id::cmdApply)); }, 30s)) << TextOf(field(id::txtFinding));
    EXPECT_EQ(TextOf(field(id::txtFinding)).rfind("Found: earlier by 2.500 s", 0), 0u) << TextOf(field(id::txtFinding));

    // Back to a reference: the finding is dropped with the form it came from.
    PressWith(VK_MENU, 'R');
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(field(id::cmdApply)); }, 5s));

    // A reference without cues: the numbered error report, in a box and in the dialog.
    ReplaceText(field(id::txtReference), empty);
    Press(VK_RETURN);
    box = WaitForWindow(app.ProcessId(), "Error", 30s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box).rfind("Something Wrong (36003) ", 0), 0u) << MessageBoxText(box);
    EXPECT_EQ(TextOf(field(id::txtFinding)), MessageBoxText(box));
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5s));
    EXPECT_FALSE(IsEnabled(field(id::cmdApply)));

    ReplaceText(field(id::txtReference), reference);
    Click(field(id::cmdFind));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cmdFind)) == "Canc&el"; }, 5s));
    EXPECT_FALSE(IsEnabled(field(id::txtReference)));
    const auto pressed = std::chrono::steady_clock::now();
    Click(field(id::cmdFind));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cmdFind)) == "&Find"; }, 5s));
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, 1s) << "Cancel did not answer at once";
    EXPECT_EQ(TextOf(field(id::lblStage)), "Find cancelled: nothing was written.");
    EXPECT_TRUE(IsEnabled(field(id::txtReference)));
    EXPECT_FALSE(IsEnabled(field(id::cmdApply)));

    // Esc under a new search closes the dialog at once, cancelling it (Wine
    // takes its time to destroy a dialog once hidden).
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(field(id::cmdFind)) == "Canc&el"; }, 5s));
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 1s));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
    EXPECT_EQ(test::ListFolder(folder.Path()), "empty.srt long.srt movie.srt");
    EXPECT_EQ(ReadBytes(movie), late);
    EXPECT_EQ(Text(id::Label5), "PROCESS NOT STARTING");
}

}  // namespace
}  // namespace tarvex::e2e
