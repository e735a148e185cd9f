#include "BmpFiles.h"

namespace quillora::test {

std::vector<SeedBmp> SeedCorpus() {
    return {
        {"example-100x50.bmp", MonochromeBmp(100, 50, PatternDot), std::nullopt},
        {"dot-1x1.bmp", MonochromeBmp(1, 1, PatternDot), std::nullopt},
        {"odd-33x9.bmp", MonochromeBmp(33, 9, PatternDot), std::nullopt},
        {"wide-577x25.bmp", MonochromeBmp(577, 25, PatternDot), std::nullopt},
        {"white-zero-64x8.bmp", MonochromeBmp(64, 8, PatternDot, Palette::WhiteZero), std::nullopt},
        {"blank-24x24.bmp", MonochromeBmp(24, 24, [](int, int) { return false; }), std::nullopt},
        {"trailing-40x9.bmp", MonochromeBmp(40, 9, PatternDot) + "\x01\x02\x03", std::nullopt},
        {"depth-24.bmp", BmpHeaders(5, 3, 24, 48) + std::string(48, '\x5A'), std::nullopt},
        {"short-headers.bmp", MonochromeBmp(8, 8, PatternDot).substr(0, 30),
         BmpReadFailure::Incomplete},
        // 62 bytes of headers, 38 of the 128 pixel bytes
        {"short-pixels.bmp", MonochromeBmp(64, 16, PatternDot).substr(0, 100),
         BmpReadFailure::Incomplete},
        {"top-down.bmp", BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'), BmpReadFailure::TopDown},
        {"zero-width.bmp", BmpHeaders(0, 8, 1, 0) + std::string(8, '\0'),
         BmpReadFailure::InvalidSize},
        {"huge.bmp", BmpHeaders(0x7FFFFFFF, 0x7FFFFFFF, 32, 0) + std::string(8, '\0'),
         BmpReadFailure::TooLarge},
        {"overflowing-row.bmp", BmpHeaders(0x7FFFFFFF, 1, 0xFFFF, 0), BmpReadFailure::TooLarge},
        {"block-over-64MiB.bmp", BmpHeaders(65536 * 8, 1025, 1, 0), BmpReadFailure::TooLarge},
    };
}

}  // namespace quillora::test
