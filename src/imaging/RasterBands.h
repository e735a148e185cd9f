#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "escpos/ImageCommands.h"
#include "imaging/PaddedBitmap.h"

namespace quillora {

// The ESC * 0 bands of a picture: one command of 8 rows each, at most 576 dots across.
struct RasterGeometry {
    std::uint32_t bandDots;   // min(RowBits, 576)
    std::uint32_t bandCount;  // PaddedHeight / 8

    std::size_t BandSize() const { return escpos::kBitImageHeaderSize + std::size_t(bandDots); }
};

RasterGeometry RasterGeometryOf(const PaddedBitmap& bitmap);

// Writes 1B 2A 00 nL nH, the part that every band shares, into the first 5 bytes of
// `band`, which holds BandSize() bytes.
void WriteRasterBandHeader(const RasterGeometry& raster, std::span<std::uint8_t> band);

// Overwrites the column data of `band` (from byte 5 on) with band `index`: data byte x is
// dot column x, row 8 * index in bit 7 to row 8 * index + 7 in bit 0; 1 = dot.
void WriteRasterBandData(const PaddedBitmap& bitmap, std::uint32_t index,
                         std::span<std::uint8_t> band);

}  // namespace quillora
