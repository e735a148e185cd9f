#include "commands/PortExchange.h"

#include <cstdint>
#include <numeric>

namespace quillora {

int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block) {
    DirectChannel channel(ports, port);
    return SendBlock(channel, block);
}

int SendBlock(SendChannel& channel, const CommandBlock& block) {
    return channel.Send(reinterpret_cast<const std::uint8_t*>(block.data()),
                        static_cast<int>(block.size()));
}

int SendWholeThenRead(PortDriver& ports, const PortName& port, const CommandBlock& block,
                      std::uint8_t* reply, int length) {
    if (SendBlock(ports, port, block) != int(block.size())) return 0;
    return ports.ReadData(port, reply, length);
}

std::int64_t TotalLength(const std::vector<CommandBlock>& blocks) {
    return std::accumulate(blocks.begin(), blocks.end(), std::int64_t{0},
                           [](std::int64_t sum, const CommandBlock& block) {
                               return sum + std::int64_t(block.size());
                           });
}

SendTally SendBlocks(SendChannel& channel, const std::vector<CommandBlock>& blocks) {
    SendTally tally;
    tally.total = TotalLength(blocks);
    for (const CommandBlock& block : blocks) tally.taken += SendBlock(channel, block);
    return tally;
}

SendTally SendBlocks(PortDriver& ports, const PortName& port,
                     const std::vector<CommandBlock>& blocks) {
    DirectChannel channel(ports, port);
    return SendBlocks(channel, blocks);
}

}  // namespace quillora
