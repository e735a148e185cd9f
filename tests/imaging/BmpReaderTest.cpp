// Reading BMP files into padded one-bit pictures, and the refusals of unusable files.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "BmpFiles.h"
#include "SeedCorpus.h"
#include "TestBitmaps.h"
#include "imaging/BmpReader.h"
#include "imaging/LockedPages.h"

namespace quillora::test {
namespace {

const auto kAllDots = [](int, int) { return true; };

std::string RowHex(const PaddedBitmap& bitmap, std::uint32_t row) {
    return Hex(std::span(bitmap.Row(row), bitmap.RowBytes));
}

std::string Repeat(const std::string& hexByte, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += (out.empty() ? "" : " ") + hexByte;
    return out;
}

TEST(MaskTrailingBits, KeepsTheLeadingBitsAndBlanksTheRest) {
    EXPECT_EQ(MaskTrailingBits(0x00, 1), 0x7F);
    EXPECT_EQ(MaskTrailingBits(0x00, 7), 0x01);
    EXPECT_EQ(MaskTrailingBits(0xA5, 4), 0xAF);
    EXPECT_EQ(MaskTrailingBits(0x12, 3), 0x1F);
    EXPECT_EQ(MaskTrailingBits(0x5A, 0), 0xFF);
    EXPECT_EQ(MaskTrailingBits(0x5A, 8), 0x5A);
}

// Every pixel a dot and the file's padding bits 0: whatever is FF was blanked by the reader.
TEST(ReadPaddedBitmap, BlanksEveryBitPastTheWidth) {
    struct Case {
        int width;
        std::uint32_t rowBits;
        std::string row;
    };
    const Case cases[] = {
        {1, 32, "7F FF FF FF"},
        {64, 64, Repeat("00", 8)},
        {100, 128, Repeat("00", 12) + " 0F FF FF FF"},
        {576, 576, Repeat("00", 72)},
        {577, 608, Repeat("00", 72) + " 7F FF FF FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const PaddedBitmap bitmap = ReadGoodBmp(MonochromeBmp(c.width, 2, kAllDots), 8);
        EXPECT_EQ(bitmap.Width, c.width);
        EXPECT_EQ(bitmap.Height, 2);
        EXPECT_EQ(bitmap.BitCount, 1);
        EXPECT_EQ(bitmap.RowBits, c.rowBits);
        EXPECT_EQ(bitmap.RowBytes, c.rowBits / 8);
        EXPECT_EQ(RowHex(bitmap, 0), c.row);
        EXPECT_EQ(RowHex(bitmap, 1), c.row);
    }
}

TEST(ReadPaddedBitmap, PadsTheHeightWithBlankRows) {
    struct Case {
        int height, multiple;
        std::uint32_t padded;
    };
    for (const Case c : {Case{1, 8, 8}, Case{1, 24, 24}, Case{8, 8, 8}, Case{8, 24, 24},
                         Case{24, 24, 24}, Case{25, 24, 48}, Case{905, 8, 912}}) {
        SCOPED_TRACE(testing::Message() << c.height << " rows, multiple " << c.multiple);
        const PaddedBitmap bitmap = ReadGoodBmp(MonochromeBmp(32, c.height, kAllDots), c.multiple);
        EXPECT_EQ(bitmap.PaddedHeight, c.padded);
        EXPECT_EQ(bitmap.Pixels.size(), c.padded * 4);
        EXPECT_EQ(RowHex(bitmap, std::uint32_t(c.height) - 1), "00 00 00 00");
        for (std::uint32_t row = std::uint32_t(c.height); row < c.padded; ++row) {
            EXPECT_EQ(RowHex(bitmap, row), "FF FF FF FF") << row;
        }
    }
}

TEST(ReadPaddedBitmap, TakesTheLastRowsOfTheFileTopFirst) {
    // Width 32: no bit is blanked, so the rows show exactly where they were taken from.
    const std::string file = BmpHeaders(32, 2, 1, 8) + std::string("\0\0\0\0\xFF\xFF\xFF\0", 8) +
                             "\xAA\xBB\xCC\xDD" + "\x11\x22\x33\x44";
    const PaddedBitmap plain = ReadGoodBmp(file, 8);
    EXPECT_EQ(RowHex(plain, 0), "11 22 33 44");
    EXPECT_EQ(RowHex(plain, 1), "AA BB CC DD");

    // Trailing bytes shift the picture: its rows are still the file's last 8 bytes.
    const PaddedBitmap shifted = ReadGoodBmp(file + "\x01\x02\x03", 8);
    EXPECT_EQ(RowHex(shifted, 0), "44 01 02 03");
    EXPECT_EQ(RowHex(shifted, 1), "DD 11 22 33");
}

TEST(ReadPaddedBitmap, IgnoresTheColourTable) {
    const PaddedBitmap usual = ReadGoodBmp(MonochromeBmp(40, 9, PatternDot), 8);
    const PaddedBitmap inverted =
        ReadGoodBmp(MonochromeBmp(40, 9, PatternDot, Palette::WhiteZero), 8);
    ASSERT_EQ(usual.Pixels.size(), inverted.Pixels.size());
    EXPECT_TRUE(std::equal(usual.Pixels.bytes().begin(), usual.Pixels.bytes().end(),
                           inverted.Pixels.bytes().begin()));
}

TEST(ReadPaddedBitmap, KeepsTheFirstWidthBitsAtOtherDepths) {
    // 5 pixels of 24 bits: a 128-bit row of which only the first 5 bits are the picture.
    const PaddedBitmap bitmap = ReadGoodBmp(BmpHeaders(5, 1, 24, 16) + std::string(16, '\x5A'), 8);
    EXPECT_EQ(bitmap.RowBits, 128u);
    EXPECT_EQ(RowHex(bitmap, 0), "5F " + Repeat("FF", 15));
}

TEST(ReadPaddedBitmap, RefusesUnusableFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        BmpReadFailure failure;
    };
    const Case cases[] = {
        {"empty", "", BmpReadFailure::Incomplete},
        {"53 bytes", MonochromeBmp(8, 8, PatternDot).substr(0, 53), BmpReadFailure::Incomplete},
        {"fewer bytes than the pixel rows", BmpHeaders(64, 16, 1, 128) + std::string(62, '\0'),
         BmpReadFailure::Incomplete},
        {"top-down", BmpHeaders(8, -8, 1, 32) + std::string(40, '\0'), BmpReadFailure::TopDown},
        {"zero height", BmpHeaders(8, 0, 1, 0) + std::string(8, '\0'), BmpReadFailure::InvalidSize},
        {"zero width", BmpHeaders(0, 8, 1, 0) + std::string(40, '\0'), BmpReadFailure::InvalidSize},
        {"negative width", BmpHeaders(-8, 8, 1, 32) + std::string(40, '\0'),
         BmpReadFailure::InvalidSize},
        {"zero bits per pixel", BmpHeaders(8, 8, 0, 0) + std::string(40, '\0'),
         BmpReadFailure::InvalidSize},
        {"65536 rows", BmpHeaders(8, 65536, 1, 0) + std::string(8, '\0'), BmpReadFailure::TooLarge},
        {"overflowing row", BmpHeaders(0x7FFFFFFF, 1, 0xFFFF, 0), BmpReadFailure::TooLarge},
        {"block over 64 MiB", BmpHeaders(65536 * 8, 1025, 1, 0), BmpReadFailure::TooLarge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BmpReadResult result = ReadBmpBytes(c.bytes, 24);
        const auto* error = std::get_if<BmpReadError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->failure, c.failure);
    }
}

TEST(ReadPaddedBitmap, ReportsWhatCannotBeOpened) {
    QTemporaryDir dir;
    for (const std::string& path :
         {dir.filePath("missing.bmp").toStdString(), dir.path().toStdString()}) {
        const BmpReadResult result = ReadPaddedBitmap(path, 8);
        ASSERT_TRUE(std::holds_alternative<BmpReadError>(result)) << path;
        EXPECT_EQ(std::get<BmpReadError>(result).failure, BmpReadFailure::CannotOpen);
        EXPECT_TRUE(std::get<BmpReadError>(result).os) << path;
    }
    EXPECT_STREQ(BmpReadFailureText(BmpReadFailure::CannotOpen), "打开文件失败!");
}

TEST(ReadPaddedBitmap, ReadsOrRefusesEverySeedOfTheFuzzCorpus) {
    for (const SeedBmp& seed : SeedCorpus()) {
        SCOPED_TRACE(seed.name);
        const BmpReadResult result = ReadBmpBytes(seed.bytes, 8);
        if (seed.refusal) {
            ASSERT_TRUE(std::holds_alternative<BmpReadError>(result));
            EXPECT_EQ(std::get<BmpReadError>(result).failure, *seed.refusal);
        } else {
            EXPECT_TRUE(std::holds_alternative<PaddedBitmap>(result));
        }
    }
}

TEST(LockedPages, MapsZeroedWritablePagesAndMovesOwnership) {
    std::error_code error;
    LockedPages block = LockedPages::Allocate(65095, error);
    ASSERT_FALSE(error);
    ASSERT_EQ(block.size(), 65095u);
    EXPECT_TRUE(
        std::all_of(block.bytes().begin(), block.bytes().end(), [](auto b) { return b == 0; }));
    block.bytes().back() = 0x5A;

    LockedPages moved = std::move(block);
    EXPECT_EQ(block.data(), nullptr);
    EXPECT_EQ(block.size(), 0u);
    EXPECT_EQ(moved.bytes().back(), 0x5A);
}

TEST(LockedPages, ReturnsTheMappingError) {
    std::error_code error;
    const LockedPages block = LockedPages::Allocate(std::size_t{1} << 62, error);
    EXPECT_EQ(error, std::errc::not_enough_memory);
    EXPECT_EQ(block.data(), nullptr);
}

// Drops the privilege to lock memory, sets the lock limit to 0, and exits with 0 when a
// block is still handed out, usable and unlocked.
[[noreturn]] void AllocateWithoutLockingAndExit() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    syscall(SYS_capget, &header, caps);
    caps[0].effective &= ~(1u << CAP_IPC_LOCK);
    syscall(SYS_capset, &header, caps);
    const rlimit none{0, 0};
    setrlimit(RLIMIT_MEMLOCK, &none);
    std::error_code error;
    LockedPages block = LockedPages::Allocate(8192, error);
    if (error || block.locked() || block.size() != 8192) _exit(1);
    block.bytes()[8191] = 1;
    _exit(block.bytes()[8191] == 1 ? 0 : 1);
}

TEST(LockedPagesDeathTest, FallsBackToUnlockedPagesWhenLockingIsRefused) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer replaces mlock by a no-op that always succeeds";
#endif
    EXPECT_EXIT(AllocateWithoutLockingAndExit(), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace quillora::test
