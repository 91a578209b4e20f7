// Test harness only: gives a Wine prefix a default printer that writes PostScript through the
// port LPT1:, which the prefix maps to a file.
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "remove") {
        // The machine without a printer: the test printer goes again.
        HANDLE printer = nullptr;
        char name[] = "Vardex Test Printer";
        if (!OpenPrinterA(name, &printer, nullptr) || !DeletePrinter(printer)) {
            std::printf("DeletePrinter failed: %lu\n", GetLastError());
            return 1;
        }
        ClosePrinter(printer);
        std::printf("ok\n");
        return 0;
    }
    // Wine's own PostScript driver, which it ships but registers only for the printers it finds.
    // Its data file is the printer's description (PPD); the harness puts one beside the driver.
    char driver_name[] = "Wine PostScript Driver";
    char driver_file[] = "wineps.drv";
    char description[] = "vardex.ppd";
    DRIVER_INFO_3A driver_info{};
    driver_info.cVersion = 3;
    driver_info.pName = driver_name;
    driver_info.pDriverPath = driver_file;
    driver_info.pDataFile = description;
    driver_info.pConfigFile = driver_file;
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver_info)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
        std::printf("AddPrinterDriver failed: %lu\n", GetLastError());
        return 1;
    }
    char name[] = "Vardex Test Printer";
    char port[] = "LPT1:";
    char driver[] = "Wine PostScript Driver";
    char processor[] = "WinPrint";
    char datatype[] = "RAW";
    PRINTER_INFO_2A info{};
    info.pPrinterName = name;
    info.pPortName = port;
    info.pDriverName = driver;
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (printer == nullptr && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        std::printf("AddPrinter failed: %lu\n", GetLastError());
        return 1;
    }
    if (printer != nullptr) {
        ClosePrinter(printer);
    }
    if (!SetDefaultPrinterA(name)) {
        std::printf("SetDefaultPrinter failed: %lu\n", GetLastError());
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
