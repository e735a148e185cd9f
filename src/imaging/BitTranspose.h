#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quillora {

// One 8-dot column group of 8 picture rows: the byte at `first` and the 7 below it,
// `stride` bytes apart, the first in the top byte.
inline std::uint64_t GatherColumnGroup(const std::uint8_t* first, std::size_t stride) {
    std::uint64_t rows = 0;
    for (int row = 0; row < 8; ++row) rows = rows << 8 | first[std::size_t(row) * stride];
    return rows;
}

// Turns 8 picture rows of one 8-dot column group (first row in the top byte, leftmost
// pixel in bit 7, 0 = dot) into its 8 printer columns (leftmost column in the top byte,
// first row in bit 7, 1 = dot): an inversion and an 8 x 8 bit transposition.
inline std::uint64_t DotColumns(std::uint64_t rows) {
    std::uint64_t x = ~rows;
    std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    x ^= t ^ (t << 28);
    return x;
}

// Byte `index` (0 = top) of a value built by GatherColumnGroup or DotColumns.
inline std::uint8_t ByteOf(std::uint64_t value, int index) {
    return std::uint8_t(value >> (56 - 8 * index));
}

// Stores a value built by DotColumns as 8 consecutive bytes, the top byte first.
inline void StoreColumns(std::uint8_t* out, std::uint64_t value) {
    if constexpr (std::endian::native == std::endian::little) value = __builtin_bswap64(value);
    std::memcpy(out, &value, sizeof value);
}

}  // namespace quillora
