#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imaging/BmpReader.h"

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

[[nodiscard]] bool WriteBinaryFile(const std::string& path, const std::string& bytes);

// Image data built dot by dot: for each column x < columns, the bytes of row groups
// firstGroup.. (groups of them), 8 rows each, top row in bit 7; dots beyond the picture are 0.
std::string ReferenceColumns(int width, int height, const DotFunction& dot, int columns,
                             int firstGroup, int groups);

// The imaging fuzzer's seeds: readable BMPs of awkward sizes, and unusable ones with the
// refusal each must get (nothing: the file reads).
struct SeedBmp {
    std::string name;
    std::string bytes;
    std::optional<BmpReadFailure> refusal;
};

std::vector<SeedBmp> SeedCorpus();

}  // namespace quillora::test
