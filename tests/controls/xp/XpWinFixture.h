#pragma once
// A hidden form for the control tests, and the classic look switched on or
// off for each test. Failure reports are answered instead of shown.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/host/ThemedForm_win.h"
#include "controls/xp/XpControls_win.h"

namespace tarvex::xp::testing {

class XpWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClassicLook(false);
        SetXpPrompt([this](const std::string& text, UINT type) {
            prompts.push_back(text);
            return (type & MB_YESNO) ? promptAnswer : IDOK;
        });
    }
    void TearDown() override { SetClassicLook(false); }

    host::ControlPlacement Site(const std::string& name = "Control1") {
        return host::ControlPlacement{&form, name, host::FontDescription{"MS Sans Serif", 8.0f},
                                      [this](std::string_view property) { changes.emplace_back(property); }};
    }

    host::ThemedForm form{"frmTest", "test", 400, 300};
    std::vector<std::string> prompts;
    std::vector<std::string> changes;
    int promptAnswer = IDNO;
};

// The pixels of a row or column of a device context.
inline std::vector<COLORREF> Row(HDC dc, int y, int from, int to) {
    std::vector<COLORREF> row;
    for (int x = from; x < to; ++x) row.push_back(GetPixel(dc, x, y));
    return row;
}

inline std::vector<COLORREF> Snapshot(HDC dc, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

}  // namespace tarvex::xp::testing
