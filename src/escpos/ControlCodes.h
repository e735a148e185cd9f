#pragma once

#include <cstdint>

// The control bytes that open ESC/POS commands, and the few that follow a prefix. The one
// place the program spells them; the virtual printer keeps its own, as an independent reader.
namespace quillora::escpos {

inline constexpr std::uint8_t kEot = 0x04;  // DLE EOT n: real-time status
inline constexpr std::uint8_t kEnq = 0x05;  // DLE ENQ n: real-time request
inline constexpr std::uint8_t kFf = 0x0C;   // GS FF: feed to the black mark
inline constexpr std::uint8_t kDle = 0x10;
inline constexpr std::uint8_t kDc4 = 0x14;  // DLE DC4 fn: real-time pulse, power-off, ...
inline constexpr std::uint8_t kEsc = 0x1B;
inline constexpr std::uint8_t kFs = 0x1C;
inline constexpr std::uint8_t kGs = 0x1D;

}  // namespace quillora::escpos
