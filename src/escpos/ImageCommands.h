#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "escpos/ControlCodes.h"

// The headers of the picture commands, as fixed arrays: the picture code writes them in
// front of its column data in place. Header-only, so the imaging fuzzer needs no library.
namespace quillora::escpos {

// FS q 1 xL xH yL yH: defines one NV bit image, widthBytes * 8 dots across and
// heightBytes * 8 dots down; widthBytes * heightBytes * 8 data bytes follow.
inline constexpr std::size_t kNvDefinitionHeaderSize = 7;
constexpr std::array<std::uint8_t, kNvDefinitionHeaderSize> NvImageDefinitionHeader(
    std::uint16_t widthBytes, std::uint16_t heightBytes) {
    return {kFs,
            'q',
            1,
            std::uint8_t(widthBytes % 256),
            std::uint8_t(widthBytes / 256),
            std::uint8_t(heightBytes % 256),
            std::uint8_t(heightBytes / 256)};
}

// FS p n m: prints NV bit image n; m = 48 is normal size.
inline constexpr std::uint8_t kNvImageNormal = 48;
constexpr std::array<std::uint8_t, 4> PrintNvImage(std::uint8_t n, std::uint8_t m) {
    return {kFs, 'p', n, m};
}

// ESC * m nL nH: one band of a bit image, nL + 256 * nH dot columns; m = 0 is 8 dots high,
// single density (one data byte a column).
inline constexpr std::size_t kBitImageHeaderSize = 5;
inline constexpr std::uint8_t kBitImage8DotSingle = 0;
constexpr std::array<std::uint8_t, kBitImageHeaderSize> BitImageHeader(std::uint8_t m,
                                                                       std::uint16_t columns) {
    return {kEsc, '*', m, std::uint8_t(columns % 256), std::uint8_t(columns / 256)};
}

}  // namespace quillora::escpos
