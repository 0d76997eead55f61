#pragma once
// The printers of the Windows printing API: the default printer becomes the
// current one, the installed ones come from the spooler.

#include <memory>

#include "controls/cmdlg/Printer.h"

namespace tarvex::cmdlg {

class SystemPrinters : public PrinterHost {
public:
    std::shared_ptr<Printer> CurrentPrinter() override;
    void SetCurrentPrinter(std::shared_ptr<Printer> printer) override { current_ = std::move(printer); }
    std::vector<std::shared_ptr<Printer>> Printers() override;

private:
    std::shared_ptr<Printer> current_;
};

// The program's printers, shared by every dialog control.
SystemPrinters& ProgramPrinters();

// The printer of that name with its default settings; one whose members
// raise 484 when the spooler does not know it.
std::shared_ptr<Printer> OpenSystemPrinter(const std::string& deviceName);

}  // namespace tarvex::cmdlg
