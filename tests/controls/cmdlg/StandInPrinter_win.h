#pragma once
// A printer for tests on a system without one: fixed names, settings kept
// in fields, and a memory device context standing for the printer's.

#include <windows.h>

#include "controls/cmdlg/Printer.h"

namespace tarvex::cmdlg::test {

class StandInPrinter : public Printer {
public:
    explicit StandInPrinter(std::string device) : device_(std::move(device)), dc_(CreateCompatibleDC(nullptr)) {}
    ~StandInPrinter() override { DeleteDC(dc_); }
    StandInPrinter(const StandInPrinter&) = delete;
    StandInPrinter& operator=(const StandInPrinter&) = delete;

    std::string DeviceName() const override { return device_; }
    std::string DriverName() const override { return "winspool"; }
    std::string Port() const override { return "FILE:"; }
    int16_t Orientation() const override { return orientation; }
    void SetOrientation(int16_t value) override { orientation = value; }
    int16_t PaperSize() const override { return paperSize; }
    void SetPaperSize(int16_t value) override { paperSize = value; }
    int16_t Duplex() const override { return duplex; }
    void SetDuplex(int16_t value) override { duplex = value; }
    int16_t Copies() const override { return copies; }
    void SetCopies(int16_t value) override { copies = value; }
    int16_t PrintQuality() const override { return printQuality; }
    void SetPrintQuality(int16_t value) override { printQuality = value; }
    int16_t ColorMode() const override { return colorMode; }
    void SetColorMode(int16_t value) override { colorMode = value; }
    int16_t PaperBin() const override { return paperBin; }
    void SetPaperBin(int16_t value) override { paperBin = value; }
    void* hDC() override { return dc_; }

    int16_t orientation = DMORIENT_LANDSCAPE;
    int16_t paperSize = DMPAPER_A4;
    int16_t duplex = DMDUP_SIMPLEX;
    int16_t copies = 1;
    int16_t printQuality = 0;
    int16_t colorMode = 0;
    int16_t paperBin = 0;

private:
    std::string device_;
    HDC dc_;
};

class StandInPrinters : public PrinterHost {
public:
    explicit StandInPrinters(std::vector<std::shared_ptr<Printer>> installed)
        : installed_(std::move(installed)), current_(installed_.front()) {}
    std::shared_ptr<Printer> CurrentPrinter() override { return current_; }
    void SetCurrentPrinter(std::shared_ptr<Printer> printer) override { current_ = std::move(printer); }
    std::vector<std::shared_ptr<Printer>> Printers() override { return installed_; }

private:
    std::vector<std::shared_ptr<Printer>> installed_;
    std::shared_ptr<Printer> current_;
};

}  // namespace tarvex::cmdlg::test
