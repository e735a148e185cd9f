#include "BmpFiles.h"

namespace quillora::test {

std::vector<SeedBmp> SeedCorpus() {
    const char* incomplete = "BMP文件不完整!";
    const char* tooLarge = "BMP图像过大,打印机无法接受!";
    return {
        {"example-100x50.bmp", MonochromeBmp(100, 50, PatternDot), nullptr},
        {"odd-33x9.bmp", MonochromeBmp(33, 9, PatternDot), nullptr},
        {"trailing-40x9.bmp", MonochromeBmp(40, 9, PatternDot) + "\x01\x02\x03", nullptr},
        {"depth-24.bmp", BmpHeaders(5, 3, 24, 48) + std::string(48, '\x5A'), nullptr},
        {"short-headers.bmp", MonochromeBmp(8, 8, PatternDot).substr(0, 30), incomplete},
        // 62 bytes of headers, 38 of the 128 pixel bytes
        {"short-pixels.bmp", MonochromeBmp(64, 16, PatternDot).substr(0, 100), incomplete},
        {"top-down.bmp", BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'),
         "不支持自上而下存储的BMP文件!"},
        {"zero-width.bmp", BmpHeaders(0, 8, 1, 0) + std::string(8, '\0'),
         "BMP文件的宽度、高度或位数无效!"},
        {"huge.bmp", BmpHeaders(0x7FFFFFFF, 0x7FFFFFFF, 32, 0) + std::string(8, '\0'), tooLarge},
        {"overflowing-row.bmp", BmpHeaders(0x7FFFFFFF, 1, 0xFFFF, 0), tooLarge},
        {"block-over-64MiB.bmp", BmpHeaders(65536 * 8, 1025, 1, 0), tooLarge},
    };
}

}  // namespace quillora::test
