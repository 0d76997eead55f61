#pragma once
// The texts of the theme services' own failure reports. They name the module
// XpTransControl and list the failure item by item, one per line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::xp {

inline constexpr const char* kXpModuleName = "XpTransControl";
inline constexpr const char* kAskToContinue = "Would you like to try to continue executing this function?   ";
inline constexpr const char* kExecutionStopped = "Code execution has stopped for this call.   ";

// One failure as the report shows it.
struct XpFailure {
    int32_t Number = 0;
    std::string Description;
    std::string Source = kXpModuleName;
};

struct ReportItem {
    std::string Name;
    std::string Value;
};

// Head, empty line, "Name<TAB>: value" lines, empty line, closing line.
std::string BuildXpReport(std::string_view head, const std::vector<ReportItem>& items, std::string_view closing);

// A status in decimal with a blank in place of the sign when not negative.
std::string SignedStatusText(int64_t status);

std::string IsThemedReport(const XpFailure& failure);
std::string DrawTabStripCheatReport(int64_t returnValue, const XpFailure& failure, std::string_view objectName);
std::string RefreshXpControlsReport(const XpFailure& failure, std::string_view formName);

}  // namespace tarvex::xp
