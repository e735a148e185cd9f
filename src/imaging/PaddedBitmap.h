#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/LockedPages.h"

namespace quillora {

// A one-bit picture read from a BMP file: rows top first with the BMP row stride, the
// leftmost pixel of each byte in bit 7, 0 = a dot to print, 1 = blank. Bits past Width
// and rows from Height to PaddedHeight are blank.
struct PaddedBitmap {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint16_t BitCount = 0;
    std::uint32_t RowBits = 0;   // (Width * BitCount + 31) / 32 * 32
    std::uint32_t RowBytes = 0;  // RowBits / 8
    std::uint32_t PaddedHeight = 0;
    LockedPages Pixels;  // PaddedHeight * RowBytes bytes

    const std::uint8_t* Row(std::uint32_t index) const {
        return Pixels.data() + std::size_t(index) * RowBytes;
    }
};

}  // namespace quillora
