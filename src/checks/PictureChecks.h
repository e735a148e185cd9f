#pragma once

#include <optional>

#include "checks/CheckHost.h"

namespace quillora {

// The bitmap checks: a BMP chosen, the port resolved, the picture read, its commands sent.
std::optional<ReadyCheck> PrepareNvLogo(CheckHost& host);
std::optional<ReadyCheck> PrepareRasterGraphics(CheckHost& host);

}  // namespace quillora
