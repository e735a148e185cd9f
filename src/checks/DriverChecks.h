#pragma once

#include <memory>
#include <optional>
#include <string>

#include "checks/CheckHost.h"

namespace quillora {

class PrinterDeviceContext;

// Driver printing: a printer chosen, then the prepared document when the host has one,
// otherwise the test page.
std::optional<ReadyCheck> PrepareDriverPrint(CheckHost& host);

// The test page: the sample text on one page of `queue` ("" the default printer).
void PrintTestPage(CheckHost& host, const std::string& queue);

// One copy of the continuous run in driver mode: heading and sample text on one page of the
// default printer, looked up afresh.
void PrintDriverCopy(CheckHost& host, int copyNumber);

// A context on `queue` ("" the spooler's default printer); nullptr when there is none, which
// has been reported.
std::unique_ptr<PrinterDeviceContext> OpenPrinter(CheckHost& host, const std::string& queue);

}  // namespace quillora
