#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "imaging/BmpReader.h"

namespace quillora::test {

// Reads `bytes` as a BMP file through a temporary file of its own.
BmpReadResult ReadBmpBytes(const std::string& bytes, int rowMultiple);
// The same for a file that must read; a failed read fails the calling test.
PaddedBitmap ReadGoodBmp(const std::string& bytes, int rowMultiple);

// "1C 71 01": bytes as spaced upper-case hex, for comparisons with written-out commands.
std::string Hex(std::span<const std::uint8_t> bytes);
std::string Hex(const std::string& bytes);

}  // namespace quillora::test
