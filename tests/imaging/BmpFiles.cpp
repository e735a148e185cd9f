#include "BmpFiles.h"

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace quillora::test {

bool PatternDot(int x, int y) {
    const std::uint32_t mixed = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u;
    return ((mixed >> 13) ^ (mixed >> 5)) % 3 == 0;
}

std::string BmpHeaders(int width, int height, int bitCount, int pixelBytes) {
    const std::uint32_t offset = bitCount == 1 ? 62 : 54;  // a 1-bit file has 2 palette entries
    std::string out = "BM";
    for (std::uint32_t value :
         {offset + pixelBytes, 0u, offset, 40u, std::uint32_t(width), std::uint32_t(height),
          1u + (std::uint32_t(bitCount) << 16), 0u, std::uint32_t(pixelBytes), 2835u, 2835u, 0u,
          0u})  // 1 plane; 72 dpi
        for (int shift = 0; shift < 32; shift += 8) out.push_back(char(value >> shift));
    return out;
}

std::string MonochromeBmp(int width, int height, const std::function<bool(int x, int y)>& dot) {
    const int rowBytes = (width + 31) / 32 * 4;
    std::string out = BmpHeaders(width, height, 1, rowBytes * height);
    out.append("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8);
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
    return bool(file << bytes << std::flush);
}

std::string ReferenceColumns(int width, int height, const std::function<bool(int x, int y)>& dot,
                             int columns, int firstGroup, int groups) {
    std::string data;
    for (int x = 0; x < columns; ++x) {
        for (int g = firstGroup; g < firstGroup + groups; ++g) {
            char byte = 0;
            for (int j = 0; j < 8; ++j)  // one pixel at a time
                if (x < width && 8 * g + j < height && dot(x, 8 * g + j)) byte |= char(0x80 >> j);
            data.push_back(byte);
        }
    }
    return data;
}

namespace {

int RowBytes(int width) {
    return (width + 31) / 32 * 4;
}

}  // namespace

std::string ExpectedNvLogoDefinition(int width, int height,
                                     const std::function<bool(int x, int y)>& dot) {
    const int xBytes = std::min(RowBytes(width), 72), yBytes = std::min((height + 7) / 8, 113);
    return std::string{'\x1C', 'q', 1, char(xBytes), 0, char(yBytes), 0} +
           ReferenceColumns(width, height, dot, 8 * xBytes, 0, yBytes);
}

std::vector<std::string> ExpectedRasterBands(int width, int height,
                                             const std::function<bool(int x, int y)>& dot) {
    const int dots = std::min(RowBytes(width) * 8, 576);
    std::vector<std::string> bands;
    for (int band = 0; band < (height + 23) / 24 * 3; ++band) {
        bands.push_back(std::string{'\x1B', '*', 0, char(dots % 256), char(dots / 256)} +
                        ReferenceColumns(width, height, dot, dots, band, 1));
    }
    return bands;
}

}  // namespace quillora::test
