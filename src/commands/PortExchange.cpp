#include "commands/PortExchange.h"

#include <cstdint>
#include <numeric>

namespace quillora {

int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block) {
    return ports.SendData(port, reinterpret_cast<const std::uint8_t*>(block.data()),
                          static_cast<int>(block.size()));
}

int SendBlock(SendSession& session, const CommandBlock& block) {
    return session.Send(reinterpret_cast<const std::uint8_t*>(block.data()),
                        static_cast<int>(block.size()));
}

std::int64_t TotalLength(const std::vector<CommandBlock>& blocks) {
    return std::accumulate(blocks.begin(), blocks.end(), std::int64_t{0},
                           [](std::int64_t sum, const CommandBlock& block) {
                               return sum + std::int64_t(block.size());
                           });
}

}  // namespace quillora
