#include <windows.h>

#include <winspool.h>

#include <vector>

#include "controls/cmdlg/CommonDialogError.h"
#include "controls/cmdlg/SystemPrinters_win.h"

namespace tarvex::cmdlg {

namespace {

[[noreturn]] void NoPrinterInformation() {
    throw RuntimeFailure(ErrorNumber::PrinterInformation);
}

class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& name) {
        if (!OpenPrinterA(const_cast<char*>(name.c_str()), &handle_, nullptr)) handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_) ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// A printer the spooler knows: its names and a device-mode record of its
// own, which the setters change and the device context follows.
class SpoolerPrinter : public Printer {
public:
    SpoolerPrinter(std::string device, std::string driver, std::string port, std::vector<char> devMode)
        : device_(std::move(device)),
          driver_(std::move(driver)),
          port_(std::move(port)),
          devMode_(std::move(devMode)) {}
    ~SpoolerPrinter() override {
        if (dc_) DeleteDC(dc_);
    }
    SpoolerPrinter(const SpoolerPrinter&) = delete;
    SpoolerPrinter& operator=(const SpoolerPrinter&) = delete;

    std::string DeviceName() const override { return device_; }
    std::string DriverName() const override { return driver_; }
    std::string Port() const override { return port_; }

    int16_t Orientation() const override { return Mode().dmOrientation; }
    void SetOrientation(int16_t value) override {
        Change(DM_ORIENTATION, [&](DEVMODEA& m) { m.dmOrientation = value; });
    }
    int16_t PaperSize() const override { return Mode().dmPaperSize; }
    void SetPaperSize(int16_t value) override {
        Change(DM_PAPERSIZE, [&](DEVMODEA& m) { m.dmPaperSize = value; });
    }
    int16_t Duplex() const override { return Mode().dmDuplex; }
    void SetDuplex(int16_t value) override {
        Change(DM_DUPLEX, [&](DEVMODEA& m) { m.dmDuplex = value; });
    }
    int16_t Copies() const override { return Mode().dmCopies; }
    void SetCopies(int16_t value) override {
        Change(DM_COPIES, [&](DEVMODEA& m) { m.dmCopies = value; });
    }
    int16_t PrintQuality() const override { return Mode().dmPrintQuality; }
    void SetPrintQuality(int16_t value) override {
        Change(DM_PRINTQUALITY, [&](DEVMODEA& m) { m.dmPrintQuality = value; });
    }
    int16_t ColorMode() const override { return Mode().dmColor; }
    void SetColorMode(int16_t value) override {
        Change(DM_COLOR, [&](DEVMODEA& m) { m.dmColor = value; });
    }
    int16_t PaperBin() const override { return Mode().dmDefaultSource; }
    void SetPaperBin(int16_t value) override {
        Change(DM_DEFAULTSOURCE, [&](DEVMODEA& m) { m.dmDefaultSource = value; });
    }

    void* hDC() override {
        if (!dc_) dc_ = CreateDCA(driver_.c_str(), device_.c_str(), nullptr, &Mode());
        if (!dc_) NoPrinterInformation();
        return dc_;
    }

private:
    // The spooler's record may be shorter than the structure of this build;
    // such a printer is treated as one that cannot be asked.
    const DEVMODEA& Mode() const {
        if (devMode_.size() < sizeof(DEVMODEA)) NoPrinterInformation();
        return *reinterpret_cast<const DEVMODEA*>(devMode_.data());
    }

    template <class Edit>
    void Change(DWORD field, Edit edit) {
        DEVMODEA& mode = const_cast<DEVMODEA&>(Mode());
        edit(mode);
        mode.dmFields |= field;
        // A context made earlier takes the new setting at once.
        if (dc_ && !ResetDCA(dc_, &mode)) NoPrinterInformation();
    }

    std::string device_;
    std::string driver_;
    std::string port_;
    std::vector<char> devMode_;
    HDC dc_ = nullptr;
};

// Stands for the current printer when there is none, and for a listed
// printer the spooler cannot open (its name is still known then).
class MissingPrinter : public Printer {
public:
    explicit MissingPrinter(std::string name = "") : name_(std::move(name)) {}
    std::string DeviceName() const override {
        if (name_.empty()) NoPrinterInformation();
        return name_;
    }
    std::string DriverName() const override { NoPrinterInformation(); }
    std::string Port() const override { NoPrinterInformation(); }
    int16_t Orientation() const override { NoPrinterInformation(); }
    void SetOrientation(int16_t) override { NoPrinterInformation(); }
    int16_t PaperSize() const override { NoPrinterInformation(); }
    void SetPaperSize(int16_t) override { NoPrinterInformation(); }
    int16_t Duplex() const override { NoPrinterInformation(); }
    void SetDuplex(int16_t) override { NoPrinterInformation(); }
    int16_t Copies() const override { NoPrinterInformation(); }
    void SetCopies(int16_t) override { NoPrinterInformation(); }
    int16_t PrintQuality() const override { NoPrinterInformation(); }
    void SetPrintQuality(int16_t) override { NoPrinterInformation(); }
    int16_t ColorMode() const override { NoPrinterInformation(); }
    void SetColorMode(int16_t) override { NoPrinterInformation(); }
    int16_t PaperBin() const override { NoPrinterInformation(); }
    void SetPaperBin(int16_t) override { NoPrinterInformation(); }
    void* hDC() override { NoPrinterInformation(); }

private:
    std::string name_;
};

// The printer's own details (level 2) from the spooler, or empty.
std::vector<char> PrinterDetails(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed == 0) return {};
    std::vector<char> details(needed);
    if (!GetPrinterA(printer, 2, reinterpret_cast<BYTE*>(details.data()), needed, &needed)) return {};
    return details;
}

// The printer's default device mode with its driver's private part.
std::vector<char> DefaultDevMode(HANDLE printer, const std::string& name) {
    char* device = const_cast<char*>(name.c_str());
    LONG size = DocumentPropertiesA(nullptr, printer, device, nullptr, nullptr, 0);
    if (size <= 0) return {};
    std::vector<char> mode(static_cast<size_t>(size) < sizeof(DEVMODEA) ? sizeof(DEVMODEA) : size);
    if (DocumentPropertiesA(nullptr, printer, device, reinterpret_cast<DEVMODEA*>(mode.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK)
        return {};
    return mode;
}

const char* TextOrEmpty(const char* text) {
    return text ? text : "";
}

}  // namespace

std::shared_ptr<Printer> OpenSystemPrinter(const std::string& deviceName) {
    PrinterHandle handle(deviceName);
    if (!handle.Get()) return std::make_shared<MissingPrinter>(deviceName);
    std::vector<char> details = PrinterDetails(handle.Get());
    if (details.empty()) return std::make_shared<MissingPrinter>(deviceName);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(details.data());
    return std::make_shared<SpoolerPrinter>(TextOrEmpty(info->pPrinterName), TextOrEmpty(info->pDriverName),
                                            TextOrEmpty(info->pPortName), DefaultDevMode(handle.Get(), deviceName));
}

std::shared_ptr<Printer> SystemPrinters::CurrentPrinter() {
    if (current_) return current_;
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    std::string name(size, '\0');
    if (size == 0 || !GetDefaultPrinterA(name.data(), &size)) return std::make_shared<MissingPrinter>();
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    current_ = OpenSystemPrinter(name);
    return current_;
}

std::vector<std::shared_ptr<Printer>> SystemPrinters::Printers() {
    DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<std::shared_ptr<Printer>> printers;
    if (needed == 0) return printers;
    std::vector<char> list(needed);
    if (!EnumPrintersA(flags, nullptr, 4, reinterpret_cast<BYTE*>(list.data()), needed, &needed, &count))
        return printers;
    const auto* entries = reinterpret_cast<const PRINTER_INFO_4A*>(list.data());
    for (DWORD i = 0; i < count; ++i) printers.push_back(OpenSystemPrinter(TextOrEmpty(entries[i].pPrinterName)));
    return printers;
}

SystemPrinters& ProgramPrinters() {
    static SystemPrinters printers;
    return printers;
}

}  // namespace tarvex::cmdlg
