#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// How long each ESC/POS command is: the framing of a byte stream, kept apart from what
// the commands do. The virtual printer reads streams with it and the traffic monitor
// names what went to a printer with it, so both agree on where each command ends. Plain
// C++ with no Qt, so the printer's fuzzer can compile it on its own.
namespace quillora::escpos {

// Largest data that a zero-terminated GS k may carry before it counts as unterminated.
constexpr std::size_t kMaxBarcodeData = 255;
// Room for NV bit images: a definition larger than this is refused.
constexpr std::size_t kNvCapacityBytes = 1024 * 1024;

// GBK double-byte characters: a lead byte, then a trail byte.
constexpr bool IsGbkLead(std::uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; }
constexpr bool IsGbkTrail(std::uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// The length of the command at the start of `bytes` (1 or more), or nullopt when more
// bytes are needed to know it or to complete it. Commands whose length cannot be trusted
// (a GS k without terminator in reach, FS q with sizes out of range) count only their
// first three bytes, so that what follows is read afresh.
std::optional<std::size_t> CommandLength(const std::uint8_t* bytes, std::size_t size);

}  // namespace quillora::escpos
