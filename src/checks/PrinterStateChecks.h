#pragma once

#include <optional>

#include "checks/CheckHost.h"

namespace quillora {

// DLE EOT 1-4 decoded into every light; a fault the printer reports fails the check.
std::optional<ReadyCheck> PreparePrinterStatus(CheckHost& host);

// GS I: model, type, firmware, maker, serial number; fails when the printer answers none.
std::optional<ReadyCheck> PreparePrinterInformation(CheckHost& host);

}  // namespace quillora
