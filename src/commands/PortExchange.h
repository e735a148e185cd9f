#pragma once

#include <cstdint>
#include <vector>

#include "commands/CommandBytes.h"
#include "port/PortDriver.h"
#include "port/SendChannel.h"

namespace quillora {

// One SendData call carrying the whole block; returns the driver's count. A block never
// exceeds what SendData's length can carry (files are refused earlier).
int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block);
int SendBlock(SendChannel& channel, const CommandBlock& block);

// A query: the whole block sent, then up to `length` reply bytes read into `reply`. Returns
// the driver's read count, or 0 when the block did not go out whole (nothing is read then).
int SendWholeThenRead(PortDriver& ports, const PortName& port, const CommandBlock& block,
                      std::uint8_t* reply, int length);

std::int64_t TotalLength(const std::vector<CommandBlock>& blocks);

// One call per block, in order; a block the driver does not take does not stop the rest.
SendTally SendBlocks(SendChannel& channel, const std::vector<CommandBlock>& blocks);
SendTally SendBlocks(PortDriver& ports, const PortName& port,
                     const std::vector<CommandBlock>& blocks);

}  // namespace quillora
