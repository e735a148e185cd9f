#pragma once

#include <cstdint>
#include <string_view>

namespace quillora {

enum class PortKind { None, Serial, Parallel, Usb, Network };

// What a PortName designates: "COM%d", "LPT%d", "USB%d" (number from 1, letters in any
// case) or a dotted IPv4 address. Anything else is PortKind::None.
struct PortAddress {
    PortKind kind = PortKind::None;
    int number = 0;          // COM, LPT and USB
    std::uint32_t ipv4 = 0;  // Network, host byte order
};

PortAddress ParsePortName(std::string_view name);

// The raw printing port of network printers.
inline constexpr std::uint16_t kPrinterTcpPort = 9100;

}  // namespace quillora
