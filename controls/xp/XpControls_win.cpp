#include "controls/xp/XpControls_win.h"

#include <optional>

#include <uxtheme.h>
#include <vssym32.h>

#include "controls/host/GdiHandles_win.h"
#include "controls/host/IgnoreFailure.h"
#include "controls/host/ScreenMetrics_win.h"
#include "controls/host/Twips.h"
#include "controls/host/WideText_win.h"
#include "controls/xp/FormTheming.h"
#include "controls/xp/ResumableSteps.h"
#include "controls/xp/XpConstants.h"
#include "controls/xp/XpErrorReport.h"

namespace tarvex::xp {

using host::ThemeHandle;

namespace {

bool classicLook = false;

XpPrompt& Prompt() {
    static XpPrompt prompt = [](const std::string& text, UINT type) {
        return MessageBoxA(nullptr, text.c_str(), "", type);
    };
    return prompt;
}

bool AskToContinue(const std::string& report) {
    return ShowXpPrompt(report, MB_ICONEXCLAMATION | MB_YESNO) == IDYES;
}

// The Boolean of a status, as the reports show it (True is -1).
int64_t BooleanStatus(bool value) {
    return value ? -1 : 0;
}

}  // namespace

void SetClassicLook(bool classic) {
    classicLook = classic;
}
void SetXpPrompt(XpPrompt prompt) {
    Prompt() = std::move(prompt);
}
int ShowXpPrompt(const std::string& text, UINT type) {
    return Prompt()(text, type);
}

void RunPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool IsThemed(HWND& hWnd, bool ShowErrors) {
    try {
        if (classicLook || !IsThemeActive()) return false;
        if (!hWnd) hWnd = GetDesktopWindow();
        ThemeHandle theme(hWnd, host::WideText(GetThemeClasses().Status).c_str());
        return static_cast<bool>(theme);
    } catch (...) {
        if (ShowErrors) ShowXpPrompt(IsThemedReport(CurrentFailure()), MB_ICONEXCLAMATION | MB_OK);
        return false;
    }
}

std::string WhatIsThemeFont(const ThemeClasses& /*Classes*/, HWND hWnd, HDC hDC, int32_t PartId, int32_t StateId) {
    if (!IsThemed(hWnd, false)) return kFallbackFontName;
    ThemeHandle theme(hWnd, host::WideText(GetThemeClasses().Button).c_str());
    if (!theme) return kFallbackFontName;
    LOGFONTW font{};
    GetThemeFont(theme.Get(), hDC, PartId, StateId, TMT_FONT, &font);
    // The face may fill all 32 characters without a terminating NUL.
    size_t length = 0;
    while (length < LF_FACESIZE && font.lfFaceName[length] != L'\0') ++length;
    if (length == 0) return kFallbackFontName;
    char face[LF_FACESIZE * 2 + 1] = {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, font.lfFaceName, static_cast<int>(length), face, sizeof(face) - 1,
                                          nullptr, nullptr);
    return bytes > 0 ? std::string(face, static_cast<size_t>(bytes)) : kFallbackFontName;
}

std::string GetThemeFontName() {
    HWND desktop = GetDesktopWindow();
    host::WindowDC dc(desktop);
    return WhatIsThemeFont(GetThemeClasses(), desktop, dc.Get(), BP_GROUPBOX, GBS_NORMAL);
}

bool DrawTabStripCheat(host::PaintTarget& Target, int32_t Top, int32_t Left, int32_t Right, int32_t Bottom) {
    bool result = false;
    int64_t status = 0;
    RECT rect{};
    auto onFailure = [&](const XpFailure& failure) {
        result = false;
        return AskToContinue(DrawTabStripCheatReport(status, failure, Target.TargetName()));
    };
    // Each statement on its own, so that after a failure the user may go on
    // with the next one.
    bool themed = false;
    if (!RunResumable({[&] {
                           const double tppX = host::ScreenTwipsPerPixelX(), tppY = host::ScreenTwipsPerPixelY();
                           rect = {host::TwipsToPixels(Left, tppX), host::TwipsToPixels(Top, tppY),
                                   host::TwipsToPixels(Right, tppX), host::TwipsToPixels(Bottom, tppY)};
                       },
                       [&] {
                           HWND window = Target.TargetWindow();
                           themed = IsThemed(window, false);
                       }},
                      onFailure) ||
        !themed)
        return false;
    std::optional<ThemeHandle> theme;
    RunResumable(
        {[&] { Target.SetTargetBackColor(OleColours::ButtonFace); }, [&] { Target.ClearTarget(); },
         [&] { Target.SetAutoRedraw(true); },
         [&] { theme.emplace(Target.TargetWindow(), host::WideText(GetThemeClasses().Tab).c_str()); },
         [&] {
             status =
                 DrawThemeBackground(theme ? theme->Get() : nullptr, Target.TargetDC(), TABP_BODY, 1, &rect, &rect);
         },
         [&] { theme.reset(); }, [&] { InvalidateRect(Target.TargetWindow(), &rect, FALSE); }, [&] { result = true; },
         [&] {
             host::ParentForm* form = Target.TargetForm();
             if (!form) throw RuntimeError(438, "Object doesn't support this property or method");
             status = BooleanStatus(RefreshXpControls(*form));
         }},
        onFailure);
    return result;
}

bool RefreshXpControls(host::ParentForm& Form) {
    return RefreshXpControlsOn(Form, AskToContinue);
}

std::vector<host::FormControl*> ThemeFormControls(host::ParentForm& Form) {
    HWND window = reinterpret_cast<HWND>(Form.Window());
    bool themed = false;
    std::string fontName = kFallbackFontName;
    host::IgnoreFailure([&] {
        themed = IsThemed(window, false);
        fontName = GetThemeFontName();
    });
    return ThemeFormControlsOn(Form, themed, fontName, RunPendingMessages);
}

}  // namespace tarvex::xp
