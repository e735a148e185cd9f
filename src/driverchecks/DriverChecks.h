#pragma once

#include <memory>
#include <optional>
#include <string>

#include "checks/DriverPrinting.h"

namespace quillora {

class PrinterDeviceContext;

// Driver printing on the host's spooler, for the programs that link it: the window and
// quillora-cli-full.
class SpoolerDriverPrinting final : public DriverPrinting {
public:
    std::optional<ReadyCheck> PreparePrint(CheckHost& host) override;
    void PrintCopy(CheckHost& host, int copyNumber) override;
};

// The test page: the sample text on one page of `queue` ("" the default printer).
void PrintTestPage(CheckHost& host, const std::string& queue);

}  // namespace quillora
