#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/DialogFields.h"
#include "controls/cmdlg/GlobalBlock_win.h"
#include "controls/cmdlg/Printer.h"
#include "controls/cmdlg/SystemPrinters_win.h"
#include "controls/cmdlg/epCmDlg.h"

namespace tarvex::cmdlg {

namespace {

// The device-mode record as this control hands it over: the layout of the
// older systems, without the members added later.
constexpr size_t kDevModeSize = 122;

// Reading the printer's settings is best effort: a value the printer cannot
// give stays zero.
void IgnoringErrors(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

DEVMODEA DevModeOf(const Printer& printer) {
    DEVMODEA mode{};
    IgnoringErrors(
        [&] { SetFixedField(reinterpret_cast<char*>(mode.dmDeviceName), CCHDEVICENAME, printer.DeviceName()); });
    mode.dmSize = kDevModeSize;
    mode.dmFields = DM_ORIENTATION | DM_DUPLEX;
    IgnoringErrors([&] { mode.dmOrientation = printer.Orientation(); });
    IgnoringErrors([&] { mode.dmPaperSize = printer.PaperSize(); });
    IgnoringErrors([&] { mode.dmDuplex = printer.Duplex(); });
    return mode;
}

// Copies `bytes` into the block; a block that cannot be locked stays zero.
void Fill(const GlobalBlock& block, const void* bytes, size_t size) {
    GlobalLockGuard lock(block.Get());
    if (lock.Address()) std::memcpy(lock.Address(), bytes, std::min(size, lock.Size()));
}

std::vector<char> DeviceNamesBytes(const DeviceNamesRecord& names) {
    std::vector<char> bytes(DeviceNamesRecord::kHeaderSize + names.Text.size());
    DEVNAMES header{names.DriverOffset, names.DeviceOffset, names.OutputOffset, names.Default};
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + DeviceNamesRecord::kHeaderSize, names.Text.data(), names.Text.size());
    return bytes;
}

}  // namespace

PrinterHost& epCmDlg::Printers() const {
    return host_.Printers ? *host_.Printers : ProgramPrinters();
}

void epCmDlg::ShowPrinter() {
    PrinterHost& printers = Printers();
    std::shared_ptr<Printer> current = printers.CurrentPrinter();

    DEVMODEA mode = DevModeOf(*current);
    GlobalBlock devMode(kDevModeSize);
    Fill(devMode, &mode, kDevModeSize);

    // Unlike the settings above, the printer's names must be known.
    std::vector<char> names =
        DeviceNamesBytes(MakeDeviceNames(current->DriverName(), current->DeviceName(), current->Port()));
    GlobalBlock devNames(names.size());
    Fill(devNames, names.data(), names.size());

    PRINTDLGA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = static_cast<HWND>(OwnerWindow());
    record.hDevMode = devMode.Get();
    record.hDevNames = devNames.Get();
    record.Flags = 0;

    BOOL chosen = PrintDlgA(&record);
    // The dialog may have replaced both blocks by its own; whichever it
    // left in the record is freed on every path.
    devMode.Adopt(record.hDevMode);
    devNames.Adopt(record.hDevNames);
    if (!chosen) return DialogClosedWithoutAnswer();

    mode = DEVMODEA{};
    {
        GlobalLockGuard lock(devMode.Get());
        if (lock.Address()) std::memcpy(&mode, lock.Address(), std::min({kDevModeSize, lock.Size(), sizeof mode}));
    }
    std::string chosenName = UpperCase(FixedFieldText(reinterpret_cast<char*>(mode.dmDeviceName), CCHDEVICENAME));
    if (chosenName != current->DeviceName()) {
        for (const std::shared_ptr<Printer>& installed : printers.Printers())
            if (UpperCase(installed->DeviceName()) == chosenName) printers.SetCurrentPrinter(installed);
        current = printers.CurrentPrinter();
    }

    // Unless asked otherwise, the dialog reports the copies in its own record
    // when the driver cannot make copies itself; one of the two is then 1.
    int16_t copies = record.nCopies > 1 ? static_cast<int16_t>(record.nCopies) : mode.dmCopies;
    IgnoringErrors([&] { current->SetCopies(copies); });
    IgnoringErrors([&] { current->SetDuplex(static_cast<int16_t>(mode.dmDuplex)); });
    IgnoringErrors([&] { current->SetOrientation(static_cast<int16_t>(mode.dmOrientation)); });
    IgnoringErrors([&] { current->SetPaperSize(static_cast<int16_t>(mode.dmPaperSize)); });
    IgnoringErrors([&] { current->SetPrintQuality(static_cast<int16_t>(mode.dmPrintQuality)); });
    IgnoringErrors([&] { current->SetColorMode(static_cast<int16_t>(mode.dmColor)); });
    IgnoringErrors([&] { current->SetPaperBin(static_cast<int16_t>(mode.dmDefaultSource)); });
}

}  // namespace tarvex::cmdlg
