#pragma once

#include <cstddef>
#include <cstdint>

namespace quillora {

// Picture rows hold 8 pixels a byte, the leftmost in bit 7, 0 = dot; a printer column byte
// holds 8 rows of one pixel column, the top row in bit 7, 1 = dot. Turning one into the
// other is an inversion and an 8 x 8 bit transposition per block of 8 rows and 8 columns.
//
// Which code does it: plain C++ for any CPU, or 16 (SSE2) or 32 (AVX2) column groups at
// once where the CPU has the instructions. Every kernel gives the same bytes.
enum class DotKernel { Scalar, Sse2, Avx2 };

// True when this CPU can run `kernel`.
bool CpuRuns(DotKernel kernel);

// The fastest kernel this CPU runs.
DotKernel FastestDotKernel();

// One band of 8 rows, the first at `rows` and each `stride` bytes after the one before, as
// `groups` * 8 column bytes in order: out[8 * group + j] is pixel column 8 * group + j. Each
// row holds at least `groups` bytes.
void WriteBandDots(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                   std::uint8_t* out, DotKernel kernel = FastestDotKernel());

// `rowGroups` bands one below the other, column by column: out[x * rowGroups + g] is pixel
// column x of band g (rows 8g to 8g + 7), for x below groups * 8.
void WriteColumnDots(const std::uint8_t* rows, std::size_t stride, std::uint32_t groups,
                     std::uint32_t rowGroups, std::uint8_t* out,
                     DotKernel kernel = FastestDotKernel());

}  // namespace quillora
