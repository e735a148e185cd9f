#pragma once

#include <optional>

#include "checks/CheckHost.h"

namespace quillora {

// Driver printing, which needs Qt PrintSupport and the spooler's library: the host's program
// supplies it (driverchecks/), so that a program running only port checks does not load them.
class DriverPrinting {
public:
    virtual ~DriverPrinting() = default;

    // A printer chosen, then the prepared document when the host has one, otherwise the
    // test page.
    virtual std::optional<ReadyCheck> PreparePrint(CheckHost& host) = 0;
    // One copy of the continuous run in driver mode.
    virtual void PrintCopy(CheckHost& host, int copyNumber) = 0;
};

// The catalogue's driver printing: the host's.
std::optional<ReadyCheck> PrepareDriverPrint(CheckHost& host);

}  // namespace quillora
