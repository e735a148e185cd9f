#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillora::test {

// A test picture: true where a dot is to be printed; x from the left, y from the top.
using DotFunction = std::function<bool(int x, int y)>;

// An irregular picture with dots and blanks in every row and column group.
bool PatternDot(int x, int y);

enum class Palette { BlackZero, WhiteZero };  // the colour of palette index 0

// The 14-byte file header and the 40-byte information header of a BMP.
std::string BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                       std::uint32_t pixelBytes);

// A bottom-up 1-bit BMP: a 0 bit for every dot, 1 for every blank, padding bits left 0.
std::string MonochromeBmp(std::int32_t width, std::int32_t height, const DotFunction& dot,
                          Palette palette = Palette::BlackZero);

void WriteBinaryFile(const std::string& path, const std::string& bytes);

// Image data built dot by dot: for x = 0 to columns - 1, the bytes of row groups firstGroup
// to firstGroup + groups - 1, each of 8 rows with the top one in bit 7; dots beyond the
// picture are 0. An NV logo is (8 * xBytes, 0, yBytes); raster band b is (dots, b, 1).
std::vector<std::uint8_t> ReferenceColumns(int width, int height, const DotFunction& dot,
                                           int columns, int firstGroup, int groups);

// "1C 71 01": bytes as spaced upper-case hex.
template <typename Bytes>
std::string Hex(const Bytes& bytes) {
    std::string out;
    for (const auto byte : bytes) {
        if (!out.empty()) out += ' ';
        out += "0123456789ABCDEF"[std::uint8_t(byte) >> 4];
        out += "0123456789ABCDEF"[std::uint8_t(byte) & 0x0F];
    }
    return out;
}

}  // namespace quillora::test
