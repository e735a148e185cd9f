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

enum class Palette {
    BlackZero,  // colour 0 black, colour 1 white: the usual monochrome BMP
    WhiteZero,  // colour 0 white, colour 1 black
};

// The 14-byte file header and the 40-byte information header of a BMP.
std::string BmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                       std::uint32_t pixelBytes);

// A bottom-up 1-bit BMP: a 0 bit for every dot, 1 for every blank, and the padding bits
// of each row left 0 (dots, if anything failed to blank them).
std::string MonochromeBmp(std::int32_t width, std::int32_t height, const DotFunction& dot,
                          Palette palette = Palette::BlackZero);

void WriteBinaryFile(const std::string& path, const std::string& bytes);

// The image data of an NV logo and of one raster band, built dot by dot from the picture
// itself: dots beyond the picture are 0.
std::vector<std::uint8_t> ReferenceNvLogoData(int width, int height, const DotFunction& dot,
                                              int widthBytes, int heightBytes);
std::vector<std::uint8_t> ReferenceRasterBandData(int width, int height, const DotFunction& dot,
                                                  int bandDots, int band);

}  // namespace quillora::test
