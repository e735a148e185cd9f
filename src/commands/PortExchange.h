#pragma once

#include <cstdint>
#include <vector>

#include "commands/CommandBytes.h"
#include "port/BackgroundSender.h"
#include "port/PortDriver.h"

namespace quillora {

// One SendData call carrying the whole block; returns the driver's count. A block never
// exceeds what SendData's length can carry (files are refused earlier).
int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block);
// The same call, made by a background job.
int SendBlock(SendSession& session, const CommandBlock& block);

std::int64_t TotalLength(const std::vector<CommandBlock>& blocks);

}  // namespace quillora
