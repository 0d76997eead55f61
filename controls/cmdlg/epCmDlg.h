#pragma once
// epCmDlg: the program's common dialog control. Properties describe the
// dialog; the Show methods display the system's dialog modally and put the
// answer into properties and the two file collections. A cancel raises
// CancelSelected() when `CancelError` is on.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "controls/cmdlg/StringCollection.h"
#include "controls/host/PropertyBag.h"

namespace tarvex::cmdlg {

class PrinterHost;

// What the control asks of the form that holds it.
struct DialogOwner {
    // The container's window handle (an HWND), asked at each dialog; the
    // dialog is owned by it. Unset: no owner.
    std::function<void*()> ContainerWindow;
    // Told when a saved property is set.
    host::PropertyChangedCallback PropertyChanged;
    // The current printer and the installed ones; null: the system's.
    PrinterHost* Printers = nullptr;
};

class epCmDlg {
public:
    // The control's box on the form never changes size (twips).
    static constexpr int32_t kWidthTwips = 375;
    static constexpr int32_t kHeightTwips = 360;

    // A control newly placed on a form, with its initial values.
    explicit epCmDlg(DialogOwner host = {});

    void SetHost(DialogOwner host) { host_ = std::move(host); }

    // Full paths and bare names of the last successful file dialog; absent
    // until one succeeds.
    std::optional<StringCollection> cFileName;
    std::optional<StringCollection> cFileTitle;

    bool CancelError() const { return cancelError_; }
    void SetCancelError(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    const std::string& DefaultFilename() const { return defaultFilename_; }
    void SetDefaultFilename(const std::string& value);
    const std::string& DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const std::string& value);
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value);
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value);
    int16_t FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int16_t value);

    // Not saved with the form, so their setters tell the host nothing.
    const std::string& FontName() const { return fontName_; }
    void SetFontName(const std::string& value) { fontName_ = value; }
    int16_t FontSize() const { return fontSize_; }
    void SetFontSize(int16_t value) { fontSize_ = value; }
    int32_t FontColor() const { return fontColor_; }
    void SetFontColor(int32_t value) { fontColor_ = value; }
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool value) { fontBold_ = value; }
    bool FontItalic() const { return fontItalic_; }
    void SetFontItalic(bool value) { fontItalic_ = value; }
    bool FontUnderline() const { return fontUnderline_; }
    void SetFontUnderline(bool value) { fontUnderline_ = value; }
    bool FontStrikethru() const { return fontStrikethru_; }
    void SetFontStrikethru(bool value) { fontStrikethru_ = value; }

    // Life cycle with the form. InitProperties: first placed on a form.
    // ReadProperties: loaded with a saved form; only the seven saved
    // properties come back, the font properties start empty.
    void InitProperties();
    void ReadProperties(const host::PropertyBag& bag);
    void WriteProperties(host::PropertyBag& bag) const;

    // The size the host asked for is ignored; the box stays fixed (twips).
    void Resize(int32_t widthTwips, int32_t heightTwips);
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

#ifdef _WIN32
    // The system's dialogs exist only on Windows.
    void ShowOpen();
    void ShowSave();
    void ShowFont();
    // The chosen colour after OK, nothing after a cancel.
    std::optional<int32_t> ShowColor();
    void ShowPageSetup();
    void ShowPrinter();
#endif

    // Fills cFileName and cFileTitle from a file dialog's answer. They are
    // emptied first, so an answer that cannot be read leaves no stale names.
    void TakeFileResult(const std::string& buffer);

private:
    void NotifyChanged(const char* propertyName) const;
    void ResetToBlank();
    void* OwnerWindow() const;
    // After a zero result of a dialog: raises when asked to, else returns.
    void DialogClosedWithoutAnswer() const;
#ifdef _WIN32
    PrinterHost& Printers() const;
    void ShowFileDialog(bool save);
#endif

    DialogOwner host_;
    bool cancelError_ = false;
    std::string defaultFilename_;
    std::string dialogTitle_;
    std::string initialDir_;
    std::string filter_;
    int16_t filterIndex_ = 0;
    bool multiSelect_ = false;
    std::string fontName_;
    int16_t fontSize_ = 0;
    int32_t fontColor_ = 0;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontUnderline_ = false;
    bool fontStrikethru_ = false;
    int32_t width_ = kWidthTwips;
    int32_t height_ = kHeightTwips;
};

}  // namespace tarvex::cmdlg
