#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quillora::test {

// Test pictures are dot(x, y): true where a dot is printed; x from the left, y from the top.
// An irregular picture with dots and blanks in every row and column group.
bool PatternDot(int x, int y);

// The 14-byte file header and the 40-byte information header of a BMP.
std::string BmpHeaders(int width, int height, int bitCount, int pixelBytes);

// A bottom-up 1-bit BMP (palette: black, white): a 0 bit for every dot, padding bits 0.
std::string MonochromeBmp(int width, int height, const std::function<bool(int x, int y)>& dot);

[[nodiscard]] bool WriteBinaryFile(const std::string& path, const std::string& bytes);

// Image data built dot by dot: for each column x < columns, the bytes of row groups
// firstGroup.. (groups of them), 8 rows each, top row in bit 7; dots beyond the picture are 0.
std::string ReferenceColumns(int width, int height, const std::function<bool(int x, int y)>& dot,
                             int columns, int firstGroup, int groups);

// What the NV logo test sends first for such a picture: FS q 1 with the width (at most 72
// bytes) and height (at most 113 bytes), then the columns.
std::string ExpectedNvLogoDefinition(int width, int height,
                                     const std::function<bool(int x, int y)>& dot);

// What the raster test sends: ESC * 0 with the dots across (the padded row, at most 576),
// then the columns, one band per 8 rows of the height rounded up to 24.
std::vector<std::string> ExpectedRasterBands(int width, int height,
                                             const std::function<bool(int x, int y)>& dot);

// The imaging fuzzer's seeds: readable BMPs of awkward sizes, and unusable ones with the
// message each must get (nullptr: the file is printed).
struct SeedBmp {
    std::string name, bytes;
    const char* refusal;
};
std::vector<SeedBmp> SeedCorpus();

}  // namespace quillora::test
