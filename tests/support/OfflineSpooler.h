#pragma once

#include <string>

#include "driverprint/Spooler.h"

namespace quillora::test {

// A spooler with no printers at all, so that tests which never print through the driver
// cannot reach the machine's own printers. Requests that need a printer fail as the
// scheduler would answer them (client-error-not-found).
class OfflineSpooler : public Spooler {
public:
    static constexpr int kNotFound = 0x0406;

    PrinterList LocalPrinters() const override { return {}; }
    PrinterName DefaultPrinterName() const override { return {{}, {kNotFound, "no default"}}; }
    SetDefaultResult SetDefaultPrinter(const std::string&) override {
        return {{kNotFound, "no such printer"}, DefaultScope::Server};
    }
    std::string DefaultDeviceEntry() const override { return ",,,"; }
    SpoolerStatus CheckPrinter(const std::string&) const override {
        return {kNotFound, "no such printer"};
    }
    PrintFileResult PrintFile(const std::string&) override {
        return {{kNotFound, "no default printer"}, 0};
    }
};

}  // namespace quillora::test
