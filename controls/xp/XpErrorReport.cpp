#include "controls/xp/XpErrorReport.h"

namespace tarvex::xp {

namespace {

ReportItem NumberItem(const XpFailure& failure) {
    return {"Error number", std::to_string(failure.Number)};
}
ReportItem DescriptionItem(const XpFailure& failure) {
    return {"Error description", failure.Description + "   "};
}
ReportItem SourceItem(const XpFailure& failure) {
    return {"Error source", failure.Source};
}

}  // namespace

std::string BuildXpReport(std::string_view head, const std::vector<ReportItem>& items, std::string_view closing) {
    std::string text(head);
    text += "\r\n\r\n";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += items[i].Name + "\t: " + items[i].Value;
    }
    text += "\r\n\r\n";
    text += closing;
    return text;
}

std::string SignedStatusText(int64_t status) {
    return status < 0 ? std::to_string(status) : " " + std::to_string(status);
}

std::string IsThemedReport(const XpFailure& failure) {
    return BuildXpReport("An Error occurred in Function IsThemed: ",
                         {NumberItem(failure), DescriptionItem(failure), SourceItem(failure)}, kExecutionStopped);
}

std::string DrawTabStripCheatReport(int64_t returnValue, const XpFailure& failure, std::string_view objectName) {
    return BuildXpReport("An Error occurred in Function DrawTabStripCheat:   ",
                         {{"Return value", SignedStatusText(returnValue)},
                          NumberItem(failure),
                          DescriptionItem(failure),
                          {"Error Object", std::string(objectName)},
                          SourceItem(failure)},
                         kAskToContinue);
}

std::string RefreshXpControlsReport(const XpFailure& failure, std::string_view formName) {
    return BuildXpReport(
        "An Error occurred in Function RefreshXpControls: ",
        {NumberItem(failure), DescriptionItem(failure), SourceItem(failure), {"Error Object", std::string(formName)}},
        kAskToContinue);
}

}  // namespace tarvex::xp
