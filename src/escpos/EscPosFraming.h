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
// Largest graphics data (GS v 0, GS 8 L) trusted: a 576-dot-wide picture 40000 dots long
// fits; larger sizes are taken for garbage rather than waited for.
constexpr std::size_t kMaxGraphicsBytes = 72 * 40000;
// ESC D takes at most this many tab stops before its NUL.
constexpr std::size_t kMaxTabStops = 32;

// GBK double-byte characters: a lead byte, then a trail byte.
constexpr bool IsGbkLead(std::uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
constexpr bool IsGbkTrail(std::uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// The length of the command at the start of `bytes` (1 or more), or nullopt when more
// bytes are needed to know it or to complete it. Commands whose length cannot be trusted
// (a GS k without terminator in reach, FS q or GS v 0 with sizes out of range) count only
// their first three bytes (ESC D without its NUL: two), so that what follows is read
// afresh. Commands this table does not know count two bytes after a prefix (ESC, GS, FS)
// and one otherwise.
std::optional<std::size_t> CommandLength(const std::uint8_t* bytes, std::size_t size);

}  // namespace quillora::escpos
