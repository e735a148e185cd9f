#include "BmpFiles.h"

#include <fstream>

namespace quillora::test {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// Column x of rows firstRow (bit 7) to firstRow + 7 (bit 0), one pixel at a time.
std::uint8_t ColumnByte(int width, int height, const DotFunction& dot, int x, int firstRow) {
    std::uint8_t byte = 0;
    for (int j = 0; j < 8; ++j) {
        const int y = firstRow + j;
        if (x < width && y < height && dot(x, y)) byte |= std::uint8_t(0x80 >> j);
    }
    return byte;
}

}  // namespace

bool PatternDot(int x, int y) {
    const std::uint32_t mixed = std::uint32_t(x) * 2654435761u ^ std::uint32_t(y) * 40503u;
    return ((mixed >> 13) ^ (mixed >> 5)) % 3 == 0;
}

std::string BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                       std::uint32_t pixelBytes) {
    const std::uint32_t paletteBytes = bitCount == 1 ? 8 : 0;
    const std::uint32_t offset = 54 + paletteBytes;
    std::string out = "BM";
    PutLittleEndian(out, offset + pixelBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, offset, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, std::uint32_t(width), 4);
    PutLittleEndian(out, std::uint32_t(height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, bitCount, 2);
    PutLittleEndian(out, 0, 4);  // no compression
    PutLittleEndian(out, pixelBytes, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dpi
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
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
        for (int x = 0; x < width; ++x) {
            if (!dot(x, y))
                row[std::size_t(x / 8)] = char(row[std::size_t(x / 8)] | (0x80 >> (x % 8)));
        }
        out += row;
    }
    return out;
}

void WriteBinaryFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::uint8_t> ReferenceNvLogoData(int width, int height, const DotFunction& dot,
                                              int widthBytes, int heightBytes) {
    std::vector<std::uint8_t> data;
    for (int x = 0; x < 8 * widthBytes; ++x) {
        for (int g = 0; g < heightBytes; ++g)
            data.push_back(ColumnByte(width, height, dot, x, 8 * g));
    }
    return data;
}

std::vector<std::uint8_t> ReferenceRasterBandData(int width, int height, const DotFunction& dot,
                                                  int bandDots, int band) {
    std::vector<std::uint8_t> data;
    for (int x = 0; x < bandDots; ++x) data.push_back(ColumnByte(width, height, dot, x, 8 * band));
    return data;
}

}  // namespace quillora::test
