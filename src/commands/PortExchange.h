#pragma once

#include <cstdint>
#include <vector>

#include "commands/CommandBytes.h"
#include "port/PortDriver.h"

namespace quillora {

// What a test handed to the driver and what the driver took, summed over its calls.
struct SendTally {
    std::int64_t expected = 0;
    std::int64_t sent = 0;

    bool Complete() const { return sent == expected; }
    SendTally& operator+=(const SendTally& other) {
        expected += other.expected;
        sent += other.sent;
        return *this;
    }
};

// One SendData call carrying the whole block; returns the driver's count. A block never
// exceeds what SendData's length can carry (files are refused earlier).
int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block);

// One call per block, in order; a block the driver does not take does not stop the rest.
SendTally SendBlocks(PortDriver& ports, const PortName& port,
                     const std::vector<CommandBlock>& blocks);

}  // namespace quillora
