#pragma once
// The program's printer as the dialog control sees it: one current printer
// with its settings and device context, and the installed printers to
// choose from. The Windows printing API provides the real ones; a host may
// give its own.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvex::cmdlg {

// Every member raises error 484 when the printer cannot be asked (no
// printer installed, driver gone).
class Printer {
public:
    virtual ~Printer() = default;

    virtual std::string DeviceName() const = 0;
    virtual std::string DriverName() const = 0;
    virtual std::string Port() const = 0;

    // Values of the platform's device-mode record (DMORIENT_*, DMPAPER_*...).
    virtual int16_t Orientation() const = 0;
    virtual void SetOrientation(int16_t value) = 0;
    virtual int16_t PaperSize() const = 0;
    virtual void SetPaperSize(int16_t value) = 0;
    virtual int16_t Duplex() const = 0;
    virtual void SetDuplex(int16_t value) = 0;
    virtual int16_t Copies() const = 0;
    virtual void SetCopies(int16_t value) = 0;
    virtual int16_t PrintQuality() const = 0;
    virtual void SetPrintQuality(int16_t value) = 0;
    virtual int16_t ColorMode() const = 0;
    virtual void SetColorMode(int16_t value) = 0;
    virtual int16_t PaperBin() const = 0;
    virtual void SetPaperBin(int16_t value) = 0;

    // The device context (an HDC) with the current settings; owned by the
    // printer, valid while it lives.
    virtual void* hDC() = 0;
};

class PrinterHost {
public:
    virtual ~PrinterHost() = default;
    // Never null: when no printer exists, one whose members raise 484.
    virtual std::shared_ptr<Printer> CurrentPrinter() = 0;
    virtual void SetCurrentPrinter(std::shared_ptr<Printer> printer) = 0;
    virtual std::vector<std::shared_ptr<Printer>> Printers() = 0;
};

}  // namespace tarvex::cmdlg
