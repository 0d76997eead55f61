// The main window at the scale of the screen it runs on (the prefix's
// LogPixels): the window has its size in twips at that scale, every shown
// control lies whole inside its container, the controls a person uses do not
// cover one another or a label's text, and every fixed text fits its control
// in the theme's font. With TARVEX_SCREENSHOT_DIR set, each page is saved as
// a bitmap there, to be looked at.

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/StartupChecks.h"
#include "app/win/ControlIds.h"
#include "controls/host/GdiHandles_win.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/xp/XpControls_win.h"
#include "e2e/Driver_win.h"
#include "support/TempFolder.h"

namespace tarvex::e2e {
namespace {

namespace id = win::ControlId;

int ExpectedDpi() {
    const char* value = std::getenv("TARVEX_EXPECTED_DPI");
    return value ? std::atoi(value) : 96;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The part of a window a person sees: an editable combo's window also holds
// its closed list on some systems.
RECT ShownRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (ClassOf(window) == "ComboBox" && GetComboBoxInfo(window, &combo))
        rect.bottom = std::min(rect.bottom, rect.top + combo.rcButton.bottom + 2);
    return rect;
}

// The same for a control of a dialog in another process without
// GetComboBoxInfo, which hands the control a pointer into this process that
// Wine passes on unchanged: the other process would write its answer
// wherever that address lies in its own memory.
RECT DialogPartRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    if (ClassOf(window) == "ComboBox") {
        const auto field = SendMessageA(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        rect.bottom = std::min(rect.bottom, rect.top + static_cast<LONG>(field) + 8);
    }
    return rect;
}

RECT ClientOnScreen(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

BOOL CALLBACK CollectShown(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Measures texts as the program draws them: the theme's face at 8.25 points.
class TextMeasure {
public:
    TextMeasure() : font_(host::CreateFontFor({xp::GetThemeFontName(), 8.25f})) {
        bold_ = host::CreateFontFor({xp::GetThemeFontName(), 8.25f, true});
    }
    ~TextMeasure() { DeleteDC(dc_); }
    // The size of `text` laid out in `width` pixels (word-wrapped when asked).
    SIZE Extent(const std::string& text, int width, bool wrap, bool bold = false) {
        SelectObject(dc_, bold ? bold_.Get() : font_.Get());
        RECT rect{0, 0, width, 0};
        const std::wstring wide(text.begin(), text.end());
        DrawTextW(dc_, wide.c_str(), -1, &rect, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
        return SIZE{rect.right, rect.bottom};
    }

private:
    HDC dc_ = CreateCompatibleDC(nullptr);
    host::FontHandle font_, bold_;
};

void SaveScreenshot(HWND window, const std::string& name) {
    const char* folder = std::getenv("TARVEX_SCREENSHOT_DIR");
    if (!folder) return;
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, size, &written, nullptr);
    CloseHandle(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class LayoutE2e : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\tarvex");
        ASSERT_TRUE(app.Start());
        dpi = ScreenDpi();
        twipsPerPixel = 1440.0 / dpi;
    }
    void TearDown() override { app.Close(); }

    HWND Control(int controlId) { return FindControl(app.MainWindow(), controlId); }
    int Pixels(double twips) { return static_cast<int>(std::nearbyint(twips / twipsPerPixel)); }

    // Every shown control lies inside its container; the ones a person uses
    // cover neither each other nor the text of a label.
    void CheckPlacement(const std::string& page) {
        SCOPED_TRACE(page);
        std::vector<HWND> shown;
        EnumChildWindows(app.MainWindow(), CollectShown, reinterpret_cast<LPARAM>(&shown));
        for (HWND window : shown) {
            if (!IsWindowVisible(GetParent(window))) continue;
            EXPECT_TRUE(Inside(ShownRect(window), ClientOnScreen(GetParent(window))))
                << "control " << GetDlgCtrlID(window) << " (" << ClassOf(window) << ") " << Describe(ShownRect(window))
                << " is cut off by its container " << Describe(ClientOnScreen(GetParent(window)));
        }
        std::vector<HWND> used;
        for (int control : {id::Text1, id::cmdBuka, id::Picture1, id::cmbMenit, id::cmdSync, id::cmbDetik,
                            id::rdTambah0, id::rdTambah0 + 1, id::rdTambah0 + 2, id::comFrom, id::comLan,
                            id::cmdService, id::tarvoAsli, id::cmdTutup, id::cmdProses})
            if (IsShown(Control(control))) used.push_back(Control(control));
        for (size_t a = 0; a < used.size(); ++a)
            for (size_t b = a + 1; b < used.size(); ++b)
                EXPECT_FALSE(Overlap(ShownRect(used[a]), ShownRect(used[b])))
                    << GetDlgCtrlID(used[a]) << " and " << GetDlgCtrlID(used[b]) << " overlap";
        for (int label : {id::lblUrl, id::Label4, id::lblFrom, id::Label1, id::lblKirim}) {
            HWND window = Control(label);
            if (!IsShown(window)) continue;
            RECT text = ShownRect(window);
            text.right = text.left + measure.Extent(TextOf(window), 10000, false).cx;
            for (HWND control : used)
                EXPECT_FALSE(Overlap(text, ShownRect(control)))
                    << "the text of " << label << " lies under " << GetDlgCtrlID(control);
        }
    }

    // The texts the window shows, in the font it shows them in, fit.
    void CheckTextFits(int controlId, const std::string& text, bool wrap, bool bold = false, int margin = 0) {
        HWND window = Control(controlId);
        RECT client;
        GetClientRect(window, &client);
        const SIZE need = measure.Extent(text, client.right - margin, wrap, bold);
        EXPECT_LE(need.cx + margin, client.right) << controlId << " \"" << text << "\" is too wide";
        EXPECT_LE(need.cy, client.bottom) << controlId << " \"" << text << "\" is too tall";
    }

    // Every control of a dialog lies inside it, none covers another, and
    // every caption fits its control: a label's lines, a check box's or
    // option button's text beside its box, a push button's inside its frame.
    void CheckDialog(HWND dialog) {
        std::vector<HWND> parts;
        EnumChildWindows(dialog, CollectShown, reinterpret_cast<LPARAM>(&parts));
        for (HWND part : parts) {
            EXPECT_TRUE(Inside(DialogPartRect(part), ClientOnScreen(dialog)))
                << "dialog control " << GetDlgCtrlID(part) << " " << Describe(DialogPartRect(part)) << " is cut off";
            for (HWND other : parts) {
                if (other < part && GetDlgCtrlID(other) > 0 && GetDlgCtrlID(part) > 0) {
                    EXPECT_FALSE(Overlap(DialogPartRect(part), DialogPartRect(other)))
                        << GetDlgCtrlID(part) << " and " << GetDlgCtrlID(other) << " overlap";
                }
            }
            RECT client;
            GetClientRect(part, &client);
            const LONG_PTR kind = GetWindowLongPtrA(part, GWL_STYLE) & BS_TYPEMASK;
            if (ClassOf(part) == "Static") {
                const SIZE need = measure.Extent(TextOf(part), client.right, true);
                EXPECT_LE(need.cy, client.bottom) << "\"" << TextOf(part) << "\" does not fit";
            } else if (ClassOf(part) == "Button" && kind != BS_GROUPBOX) {
                const bool pushed = kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
                // The box and the gap before the text, or the frame and focus line around it.
                const int margin = pushed ? 2 * GetSystemMetrics(SM_CXEDGE) + 4 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
                const SIZE need = measure.Extent(TextOf(part), 10000, false);
                EXPECT_LE(need.cx + margin, client.right) << "\"" << TextOf(part) << "\" is too wide";
                EXPECT_LE(need.cy, client.bottom) << "\"" << TextOf(part) << "\" is too tall";
            }
        }
    }

    TarvexProcess app;
    TextMeasure measure;
    test::TempFolder folder;
    int dpi = 96;
    double twipsPerPixel = 15;
};

TEST_F(LayoutE2e, WindowScalesAndEveryTextFitsAtThisScale) {
    ASSERT_EQ(dpi, ExpectedDpi()) << "the Wine prefix does not give the scale this run is for";
    RECT client;
    GetClientRect(app.MainWindow(), &client);
    EXPECT_EQ(client.right, Pixels(5010));
    EXPECT_EQ(client.bottom, Pixels(4920));
    RECT frame = ClientOnScreen(Control(id::FrameTeks));
    EXPECT_EQ(frame.right - frame.left, Pixels(4575));

    CheckPlacement("time shift page");
    SaveScreenshot(app.MainWindow(), "time-shift-" + std::to_string(dpi));

    CheckTextFits(id::lblJudul, "SIMPLE TIMESTAMP SUBTITLE (*.SRT) EDITOR AND TRANSLATOR", true, true);
    CheckTextFits(id::lblUrl, "File :", false);
    CheckTextFits(id::Label4, "Minute :            Second :", false);
    CheckTextFits(id::lblKirim, "Process 0 from 0 Text", false);
    for (const char* status : {"PROCESS NOT STARTING", "PROCESS IS RUNNING, PLEASE WAIT...", "PROCESS FAILED"})
        CheckTextFits(id::Label5, status, false);
    // Push buttons keep a frame and a focus line around their caption.
    const int buttonMargin = 2 * GetSystemMetrics(SM_CXEDGE) + 4;
    CheckTextFits(id::cmdBuka, TextOf(Control(id::cmdBuka)), false, false, buttonMargin);
    CheckTextFits(id::cmdTutup, "Close", false, false, buttonMargin);
    CheckTextFits(id::cmdProses, "Process", false, false, buttonMargin);
    // The frame's caption with a five-digit count still leaves room for the frame's corners.
    CheckTextFits(id::FrameTeks, "Total Text : 99999", false, false, Pixels(240));
    for (int option = 0; option < 3; ++option) {
        HWND button = Control(id::rdTambah0 + option);
        RECT place;
        GetClientRect(button, &place);
        const SIZE caption = measure.Extent(TextOf(button), 10000, false);
        EXPECT_GE(place.right, caption.cx + 13) << "option " << option << " is narrower than its caption";
        EXPECT_GE(place.bottom, caption.cy) << "option " << option;
    }

    // The translation page: first tab, then the arrow key to the second.
    RECT strip;
    GetWindowRect(Control(id::TabStrip1), &strip);
    ClickAt(strip.left + Pixels(300), strip.top + Pixels(150));
    Press(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(Control(id::TransContainer1)); }, 5s));
    CheckPlacement("translation page");
    CheckTextFits(id::lblFrom, "Language From :", false);
    CheckTextFits(id::Label1, "Language To :", false);
    CheckTextFits(id::cmdService, "Service...", false, false, buttonMargin);
    SaveScreenshot(app.MainWindow(), "translation-" + std::to_string(dpi));

    // The Service dialog, at the same scale, in the same font.
    Click(Control(id::cmdService));
    HWND dialog = WaitForWindow(app.ProcessId(), "Translation Service");
    ASSERT_NE(dialog, nullptr);
    CheckDialog(dialog);
    SaveScreenshot(dialog, "service-dialog-" + std::to_string(dpi));
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
}

// The Sync button below the time-shift page's amounts leaves the page's own
// controls where they always were, and its dialog fits at this scale.
TEST_F(LayoutE2e, SyncButtonAndDialogAtThisScale) {
    const RECT page = ClientOnScreen(Control(id::TransContainer0));
    const struct {
        int Id;
        double Left, Top;
    } unmoved[] = {{id::Label4, 120, 150},     {id::cmbMenit, 120, 420},       {id::cmbDetik, 1215, 420},
                   {id::rdTambah0, 2400, 120}, {id::rdTambah0 + 1, 2400, 420}, {id::rdTambah0 + 2, 2400, 720}};
    for (const auto& control : unmoved) {
        const RECT place = ShownRect(Control(control.Id));
        EXPECT_EQ(place.left - page.left, Pixels(control.Left)) << control.Id;
        EXPECT_EQ(place.top - page.top, Pixels(control.Top)) << control.Id;
    }
    const int buttonMargin = 2 * GetSystemMetrics(SM_CXEDGE) + 4;
    CheckTextFits(id::cmdSync, "Sync...", false, false, buttonMargin);

    const std::string movie = folder / "movie.srt";
    test::WriteBytes(movie,
                     "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n\r\n2\r\n00:00:04,000 --> "
                     "00:00:05,000\r\nWorld\r\n");
    ReplaceText(Control(id::Text1), movie);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(id::cmdSync)); }, 5s));
    Click(Control(id::cmdSync));
    HWND dialog = WaitForWindow(app.ProcessId(), "Sync");
    ASSERT_NE(dialog, nullptr);
    CheckDialog(dialog);
    SaveScreenshot(dialog, "sync-dialog-" + std::to_string(dpi));

    // Once a fit is found: the stage, the full bar and the fit in words.
    PressWith(VK_MENU, 'W');
    ReplaceText(FindControl(dialog, id::txtCue0), "1");
    ReplaceText(FindControl(dialog, id::txtTime0), "00:00:02,000");
    ReplaceText(FindControl(dialog, id::txtCue0 + 1), "2");
    ReplaceText(FindControl(dialog, id::txtTime0 + 1), "00:05");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(FindControl(dialog, id::cmdApply)); }, 30s));
    CheckDialog(dialog);
    SaveScreenshot(dialog, "sync-finding-" + std::to_string(dpi));
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
}

// Between 96 and 120 dots per inch the program warns once, before its window
// shows; at every other scale it starts without a word (as every other test
// finds).
TEST(StartupScale, WarnsOnlyBetween96And120Dpi) {
    const int dpi = ScreenDpi();
    ASSERT_EQ(dpi, ExpectedDpi());
    if (dpi <= 96 || dpi >= 120) GTEST_SKIP() << "no warning is due at " << dpi << " DPI";
    TarvexProcess app;
    bool started = false;
    std::thread starting([&] { started = app.Start(); });
    HWND box = nullptr;
    const bool warned = WaitUntil([&] { return (box = FindWindowA("#32770", "tarvex")) != nullptr; }, 20s);
    if (warned) {
        EXPECT_EQ(MessageBoxText(box), kDpiWarningText);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    starting.join();
    EXPECT_TRUE(warned);
    EXPECT_TRUE(started) << "the window did not follow the warning";
    app.Close();
}

}  // namespace
}  // namespace tarvex::e2e
