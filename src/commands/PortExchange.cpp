#include "commands/PortExchange.h"

namespace quillora {

int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block) {
    return ports.SendData(port, reinterpret_cast<const std::uint8_t*>(block.data()),
                          static_cast<int>(block.size()));
}

SendTally SendBlocks(PortDriver& ports, const PortName& port,
                     const std::vector<CommandBlock>& blocks) {
    SendTally tally;
    for (const CommandBlock& block : blocks) {
        tally.expected += static_cast<std::int64_t>(block.size());
        tally.sent += SendBlock(ports, port, block);
    }
    return tally;
}

}  // namespace quillora
