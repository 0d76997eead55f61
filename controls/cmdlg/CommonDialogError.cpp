#include "controls/cmdlg/CommonDialogError.h"

namespace tarvex::cmdlg {

namespace {

const char* DescriptionOf(int32_t number) {
    if (number == ErrorNumber::PrinterInformation)
        return "Problem getting printer information from the system. Make sure the printer is set up correctly.";
    return StandardDescription(number);
}

}  // namespace

CommonDialogError CancelSelected() {
    return CommonDialogError(ErrorNumber::Cancel, ProgramName(), "Cancel was selected.", "cmdlg98.chm",
                             ErrorNumber::Cancel);
}

CommonDialogError RuntimeFailure(int32_t number) {
    return CommonDialogError(number, ProgramName(), DescriptionOf(number), "", 0);
}

std::string ProgramNameFromPath(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

}  // namespace tarvex::cmdlg
