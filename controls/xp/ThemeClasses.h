#pragma once
// The visual-style class names the themed controls open.

#include <string>

namespace tarvex::xp {

struct ThemeClasses {
    std::string Button, ComboBox, Edit, ExplorerBar, Header, ListView, Menu, Page, Progress, Rebar, Scrollbar, Spin,
        StartPanel, Status, Tab, TaskBand, TaskBar, TaskbarClock, Toolbar, Tooltips, Trackbar, TrayNotify, TreeView;
};

ThemeClasses GetThemeClasses();

// The face used whenever the theme cannot name one.
inline constexpr const char* kFallbackFontName = "MS Sans Serif";

// Tag words that mark controls for ThemeFormControls.
inline constexpr const char* kTagOnXpBox = "OnXpBox";
inline constexpr const char* kTagThemeMyFont = "ThemeMyFont";

}  // namespace tarvex::xp
