#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/DialogFields.h"
#include "controls/cmdlg/GlobalBlock_win.h"
#include "controls/cmdlg/Printer.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {

namespace {

// Face names are kept to 31 characters, the field's room before its NUL.
constexpr size_t kKeptFaceName = LF_FACESIZE - 1;

LOGFONTA InitialFont() {
    LOGFONTA font{};
    font.lfHeight = 13;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = FF_ROMAN;
    SetFixedField(font.lfFaceName, kKeptFaceName, "Arial");
    return font;
}

}  // namespace

void epCmDlg::ShowFont() {
    // Needs the printer's context first: with no printer this fails before
    // any dialog is shown.
    HDC printerContext = static_cast<HDC>(Printers().CurrentPrinter()->hDC());

    LOGFONTA font = InitialFont();
    GlobalBlock block(sizeof(LOGFONTA));
    GlobalLockGuard lock(block.Get());
    if (!lock.Address()) throw RuntimeFailure(tarvex::ErrorNumber::OutOfMemory);
    std::memcpy(lock.Address(), &font, sizeof font);

    CHOOSEFONTA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = static_cast<HWND>(OwnerWindow());
    record.hDC = printerContext;
    record.lpLogFont = static_cast<LOGFONTA*>(lock.Address());
    record.iPointSize = 120;
    record.Flags =
        CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_LIMITSIZE | CF_FORCEFONTEXIST;
    record.rgbColors = RGB(0, 0, 0);
    record.nFontType = REGULAR_FONTTYPE;
    record.nSizeMin = 10;
    record.nSizeMax = 72;

    if (!ChooseFontA(&record)) return DialogClosedWithoutAnswer();

    std::memcpy(&font, lock.Address(), sizeof font);
    fontName_ = FixedFieldText(font.lfFaceName, kKeptFaceName);
    fontSize_ = FontSizeFromPointSize(record.iPointSize);
    fontColor_ = static_cast<int32_t>(record.rgbColors);
    fontBold_ = font.lfWeight >= FW_BOLD;
    fontItalic_ = font.lfItalic != 0;
    fontUnderline_ = font.lfUnderline != 0;
    fontStrikethru_ = font.lfStrikeOut != 0;
}

}  // namespace tarvex::cmdlg
