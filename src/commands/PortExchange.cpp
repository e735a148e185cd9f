#include "commands/PortExchange.h"

#include <cstdint>

namespace quillora {

int SendBlock(PortDriver& ports, const PortName& port, const CommandBlock& block) {
    return ports.SendData(port, reinterpret_cast<const std::uint8_t*>(block.data()),
                          static_cast<int>(block.size()));
}

}  // namespace quillora
