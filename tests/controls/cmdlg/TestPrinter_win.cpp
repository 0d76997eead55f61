#include "TestPrinter_win.h"

#include <windows.h>

#include <winspool.h>

namespace tarvex::cmdlg::test {

namespace {

constexpr const char* kDriverName = "Tarvex Test PostScript";
// Wine's own PostScript driver; the spooler copies it into its driver folder.
constexpr const char* kDriverFile = "C:\\windows\\system32\\wineps.drv";

// The printer's description for the PostScript driver: two paper sizes with
// their printable areas, which the page-setup dialog divides by.
constexpr const char kDescription[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"TARVEX.PPD\"\n"
    "*Manufacturer: \"Tarvex\"\n"
    "*Product: \"(Tarvex Test Printer)\"\n"
    "*ModelName: \"Tarvex Test Printer\"\n"
    "*NickName: \"Tarvex Test Printer\"\n"
    "*PSVersion: \"(3010.000) 0\"\n"
    "*LanguageLevel: \"3\"\n"
    "*ColorDevice: True\n"
    "*DefaultColorSpace: RGB\n"
    "*TTRasterizer: Type42\n"
    "*OpenUI *PageSize/Media Size: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageSize\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*PageSize Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*CloseUI: *PageSize\n"
    "*OpenUI *PageRegion: PickOne\n"
    "*OrderDependency: 10 AnySetup *PageRegion\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*PageRegion Letter/Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*CloseUI: *PageRegion\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*ImageableArea Letter/Letter: \"18 18 594 774\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*PaperDimension Letter/Letter: \"612 792\"\n"
    "*DefaultFont: Courier\n"
    "*Font Courier: Standard \"(002.004S)\" Standard ROM\n";

// Written straight into the spooler's driver folder, where the driver
// looks for it.
std::string DescriptionFile() {
    char folder[MAX_PATH] = {};
    DWORD size = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &size))
        return "";
    std::string path = std::string(folder) + "\\3";
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\tarvex_test.ppd";
}

bool WriteDescription(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, kDescription, sizeof kDescription - 1, &written, nullptr);
    CloseHandle(file);
    return ok && written == sizeof kDescription - 1;
}

bool InstallDriver() {
    std::string description = DescriptionFile();
    if (description.empty() || !WriteDescription(description)) return false;
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriverName);
    driver.pDriverPath = const_cast<char*>(kDriverFile);
    driver.pDataFile = description.data();
    driver.pConfigFile = const_cast<char*>(kDriverFile);
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES);
}

}  // namespace

bool NoPrinterInstalled() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed == 0;
}

bool InstallTestPrinter(const std::string& name) {
    if (!InstallDriver()) return false;
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(name.c_str());
    printer.pPortName = const_cast<char*>("FILE:");
    printer.pDriverName = const_cast<char*>(kDriverName);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added)
        ClosePrinter(added);
    else if (GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return false;
    return name != kTestPrinterName || SetDefaultPrinterA(name.c_str());
}

}  // namespace tarvex::cmdlg::test
