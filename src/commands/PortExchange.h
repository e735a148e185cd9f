#pragma once

#include "commands/CommandBytes.h"
#include "port/PortDriver.h"

namespace quillora {

// One SendData call carrying the whole block; returns the driver's count. A block never
// exceeds what SendData's length can carry (files are refused earlier).
int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block);

}  // namespace quillora
