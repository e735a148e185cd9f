#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <variant>

#include "imaging/PaddedBitmap.h"

namespace quillora {

enum class BmpReadFailure {
    CannotOpen,   // open refused, or a folder
    Empty,        // opened, and holds no byte (an empty file, /dev/null, a finished pipe)
    Incomplete,   // shorter than its two headers or than its pixel rows
    TopDown,      // negative height: rows stored top first
    InvalidSize,  // width or height of zero, width below zero, zero bits per pixel
    TooLarge,     // taller or larger than any printer could take (limits below)
    NoMemory,     // a page block could not be mapped
    ReadFailed,   // the OS failed a read
};

struct BmpReadError {
    BmpReadFailure failure;
    std::error_code os;  // the OS error behind CannotOpen, NoMemory and ReadFailed
};

using BmpReadResult = std::variant<PaddedBitmap, BmpReadError>;

// 16-bit dot counts are the most an image command can name: a taller picture would be
// metres of paper. The block limit keeps a wide or deep picture to what a test can hold
// locked; a 576 x 65535 one-bit picture needs 4.5 MiB.
inline constexpr std::int32_t kMaxBitmapHeight = 65535;
inline constexpr std::uint64_t kMaxPixelBlockBytes = std::uint64_t{64} << 20;
// A pipe or device is read into memory first: the largest picture and 1 MiB of headers.
inline constexpr std::int64_t kMaxStreamedBitmap =
    std::int64_t(kMaxPixelBlockBytes) + (std::int64_t{1} << 20);

// Reads the BMP at `path` into a PaddedBitmap whose height is rounded up to a multiple
// of `rowMultiple` (8 for the stored logo, 24 for raster printing). The pixel rows are
// the last Height * RowBytes bytes of the file, bottom row first; the file header, the
// compression and the colour table are not looked at. Every refusal happens before the
// pixel block is allocated. A pipe or device is read to its end first (TooLarge past
// kMaxStreamedBitmap).
BmpReadResult ReadPaddedBitmap(const std::string& path, int rowMultiple);

// Keeps the first `keep` bits of `value` counted from bit 7 and sets every later bit.
std::uint8_t MaskTrailingBits(std::uint8_t value, int keep);

// What the user is told when reading fails (UTF-8).
const char* BmpReadFailureText(BmpReadFailure failure);

}  // namespace quillora
