#include "BmpFiles.h"

#include <fstream>

namespace quillora::test {

bool PatternDot(int x, int y) {
    const std::uint32_t mixed = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u;
    return ((mixed >> 13) ^ (mixed >> 5)) % 3 == 0;
}

std::string BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                       std::uint32_t pixelBytes) {
    const std::uint32_t offset = bitCount == 1 ? 62 : 54;  // a 1-bit file has 2 palette entries
    std::string out = "BM";
    for (std::uint32_t value : {offset + pixelBytes, 0u, offset, 40u, std::uint32_t(width),
                                std::uint32_t(height), 1u + (std::uint32_t(bitCount) << 16), 0u,
                                pixelBytes, 2835u, 2835u, 0u, 0u})  // 1 plane; 72 dpi
        for (int shift = 0; shift < 32; shift += 8) out.push_back(char(value >> shift));
    return out;
}

std::string MonochromeBmp(std::int32_t width, std::int32_t height, const DotFunction& dot,
                          Palette palette) {
    const int rowBytes = (width + 31) / 32 * 4;
    std::string out = BmpHeaders(width, height, 1, std::uint32_t(rowBytes * height));
    const std::string black("\x00\x00\x00\x00", 4), white("\xFF\xFF\xFF\x00", 4);
    out += palette == Palette::BlackZero ? black + white : white + black;
    for (int y = height - 1; y >= 0; --y) {
        std::string row(std::size_t(rowBytes), '\0');
        for (int x = 0; x < width; ++x)
            if (!dot(x, y)) row[std::size_t(x / 8)] |= char(0x80 >> (x % 8));
        out += row;
    }
    return out;
}

bool WriteBinaryFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    file.close();
    return !file.fail();
}

std::string ReferenceColumns(int width, int height, const DotFunction& dot, int columns,
                             int firstGroup, int groups) {
    std::string data;
    for (int x = 0; x < columns; ++x) {
        for (int g = firstGroup; g < firstGroup + groups; ++g) {
            char byte = 0;
            for (int j = 0; j < 8; ++j) {  // one pixel at a time
                if (x < width && 8 * g + j < height && dot(x, 8 * g + j)) byte |= char(0x80 >> j);
            }
            data.push_back(byte);
        }
    }
    return data;
}

}  // namespace quillora::test
