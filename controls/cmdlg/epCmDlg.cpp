#include "controls/cmdlg/epCmDlg.h"

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/FileDialogText.h"

namespace tarvex::cmdlg {

namespace {

// Saved keys, in the order they are written.
constexpr const char* kCancelError = "CancelError";
constexpr const char* kDefaultFilename = "DefaultFilename";
constexpr const char* kDialogTitle = "DialogTitle";
constexpr const char* kInitialDir = "InitialDir";
constexpr const char* kFilter = "Filter";
constexpr const char* kFilterIndex = "FilterIndex";
constexpr const char* kMultiSelect = "MultiSelect";

constexpr int16_t kDefaultFilterIndex = 1;

}  // namespace

epCmDlg::epCmDlg(DialogOwner host) : host_(std::move(host)) {
    InitProperties();
}

void epCmDlg::SetCancelError(bool value) {
    cancelError_ = value;
    NotifyChanged(kCancelError);
}

void epCmDlg::SetMultiSelect(bool value) {
    multiSelect_ = value;
    NotifyChanged(kMultiSelect);
}

void epCmDlg::SetDefaultFilename(const std::string& value) {
    defaultFilename_ = value;
    NotifyChanged(kDefaultFilename);
}

void epCmDlg::SetDialogTitle(const std::string& value) {
    dialogTitle_ = value;
    NotifyChanged(kDialogTitle);
}

void epCmDlg::SetInitialDir(const std::string& value) {
    initialDir_ = value;
    NotifyChanged(kInitialDir);
}

void epCmDlg::SetFilter(const std::string& value) {
    filter_ = value;
    NotifyChanged(kFilter);
}

void epCmDlg::SetFilterIndex(int16_t value) {
    filterIndex_ = value;
    NotifyChanged(kFilterIndex);
}

void epCmDlg::NotifyChanged(const char* propertyName) const {
    if (host_.PropertyChanged) host_.PropertyChanged(propertyName);
}

void epCmDlg::ResetToBlank() {
    cFileName.reset();
    cFileTitle.reset();
    cancelError_ = false;
    defaultFilename_.clear();
    dialogTitle_.clear();
    initialDir_.clear();
    filter_.clear();
    filterIndex_ = 0;
    multiSelect_ = false;
    fontName_.clear();
    fontSize_ = 0;
    fontColor_ = 0;
    fontBold_ = fontItalic_ = fontUnderline_ = fontStrikethru_ = false;
}

void epCmDlg::InitProperties() {
    ResetToBlank();
    filterIndex_ = kDefaultFilterIndex;
    fontName_ = "Arial";
    fontSize_ = 10;
}

void epCmDlg::ReadProperties(const host::PropertyBag& bag) {
    // Read everything before changing anything, so a bad value leaves the
    // control as it was.
    int32_t filterIndex = bag.ReadInt(kFilterIndex, kDefaultFilterIndex);
    if (filterIndex < INT16_MIN || filterIndex > INT16_MAX) throw RuntimeFailure(tarvex::ErrorNumber::Overflow);
    bool cancelError = bag.ReadBool(kCancelError, false);
    std::string defaultFilename = bag.ReadString(kDefaultFilename, "");
    std::string dialogTitle = bag.ReadString(kDialogTitle, "");
    std::string initialDir = bag.ReadString(kInitialDir, "");
    std::string filter = bag.ReadString(kFilter, "");
    bool multiSelect = bag.ReadBool(kMultiSelect, false);

    ResetToBlank();
    cancelError_ = cancelError;
    defaultFilename_ = std::move(defaultFilename);
    dialogTitle_ = std::move(dialogTitle);
    initialDir_ = std::move(initialDir);
    filter_ = std::move(filter);
    filterIndex_ = static_cast<int16_t>(filterIndex);
    multiSelect_ = multiSelect;
}

void epCmDlg::WriteProperties(host::PropertyBag& bag) const {
    bag.WriteProperty(kCancelError, cancelError_, false);
    bag.WriteProperty(kDefaultFilename, defaultFilename_, std::string());
    bag.WriteProperty(kDialogTitle, dialogTitle_, std::string());
    bag.WriteProperty(kInitialDir, initialDir_, std::string());
    bag.WriteProperty(kFilter, filter_, std::string());
    bag.WriteProperty(kFilterIndex, int32_t{filterIndex_}, int32_t{kDefaultFilterIndex});
    bag.WriteProperty(kMultiSelect, multiSelect_, false);
}

void epCmDlg::Resize(int32_t, int32_t) {
    width_ = kWidthTwips;
    height_ = kHeightTwips;
}

void* epCmDlg::OwnerWindow() const {
    return host_.ContainerWindow ? host_.ContainerWindow() : nullptr;
}

void epCmDlg::DialogClosedWithoutAnswer() const {
    if (cancelError_) throw CancelSelected();
}

void epCmDlg::TakeFileResult(const std::string& buffer) {
    cFileName.emplace();
    cFileTitle.emplace();
    FileResult result = ParseFileResult(buffer);
    cFileName = std::move(result.FileNames);
    cFileTitle = std::move(result.FileTitles);
}

}  // namespace tarvex::cmdlg
