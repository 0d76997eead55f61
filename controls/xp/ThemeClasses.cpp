#include "controls/xp/ThemeClasses.h"

namespace tarvex::xp {

ThemeClasses GetThemeClasses() {
    return ThemeClasses{"Button",     "ComboBox", "Edit",     "ExplorerBar", "Header",    "ListView",
                        "Menu",       "Page",     "Progress", "Rebar",       "Scrollbar", "Spin",
                        "StartPanel", "Status",   "Tab",      "TaskBand",    "TaskBar",   "Taskbar Clock",
                        "Toolbar",    "Tooltips", "Trackbar", "Tray Notify", "TreeView"};
}

}  // namespace tarvex::xp
