#include <windows.h>

#include <commdlg.h>

#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {

std::optional<int32_t> epCmDlg::ShowColor() {
    // Custom colours start white at every call; what the user mixes is not kept.
    COLORREF customColors[16];
    for (COLORREF& color : customColors) color = RGB(255, 255, 255);

    CHOOSECOLORA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = static_cast<HWND>(OwnerWindow());
    record.rgbResult = 0;
    record.lpCustColors = customColors;
    record.Flags = 0;

    if (!ChooseColorA(&record)) {
        DialogClosedWithoutAnswer();
        return std::nullopt;
    }
    return static_cast<int32_t>(record.rgbResult);
}

}  // namespace tarvex::cmdlg
