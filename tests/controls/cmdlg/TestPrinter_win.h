#pragma once
// The spooler's state for the printer tests.

#include <string>

namespace tarvex::cmdlg::test {

// The spooler lists no printer at all (Wine's default).
bool NoPrinterInstalled();

// Installs a file printer on Wine's PostScript driver, once, and makes it
// the default. Only for a Wine prefix kept for these tests.
constexpr const char* kTestPrinterName = "Tarvex Test Printer";
bool InstallTestPrinter(const std::string& name = kTestPrinterName);

}  // namespace tarvex::cmdlg::test
