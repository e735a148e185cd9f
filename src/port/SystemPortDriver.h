#pragma once

#include <memory>

#include "port/PortDriver.h"

namespace quillora {

// The driver for this system's ports (discovery, or QUILLORA_PORTS where it names a kind),
// with its serial-settings dialog storing to SettingsPath().
std::unique_ptr<PortDriver> CreateSystemPortDriver();

}  // namespace quillora
