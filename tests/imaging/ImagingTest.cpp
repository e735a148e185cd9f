// The BMP reader, its refusals, and both converters against a pixel-by-pixel reference.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "BmpFiles.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"
#include "support/HexBytes.h"

namespace quillora::test {
namespace {

BmpReadResult ReadBmpBytes(const std::string& bytes, int rowMultiple) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("picture.bmp").toStdString();
    EXPECT_TRUE(WriteBinaryFile(path, bytes)) << path;
    return ReadPaddedBitmap(path, rowMultiple);
}

PaddedBitmap ReadGoodBmp(const std::string& bytes, int rowMultiple) {
    BmpReadResult result = ReadBmpBytes(bytes, rowMultiple);
    if (auto* bitmap = std::get_if<PaddedBitmap>(&result)) return std::move(*bitmap);
    ADD_FAILURE() << "refused: " << BmpReadFailureText(std::get<BmpReadError>(result).failure);
    return {};
}

std::string Text(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string RowHex(const PaddedBitmap& bitmap, std::uint32_t row) {
    return ToHex(Text({bitmap.Row(row), bitmap.RowBytes}));
}

TEST(ReadPaddedBitmap, TakesTheLastRowsTopFirstAndTheFirstWidthBitsIgnoringTheColourTable) {
    // Width 32 blanks no bit, so the rows show exactly where they were taken from; the
    // colour table is ignored either way round.
    const std::string rows = "\xAA\xBB\xCC\xDD\x11\x22\x33\x44";
    for (const char* palette : {"\0\0\0\0\xFF\xFF\xFF\0", "\xFF\xFF\xFF\0\0\0\0\0"}) {
        const std::string file = BmpHeaders(32, 2, 1, 8) + std::string(palette, 8) + rows;
        const PaddedBitmap plain = ReadGoodBmp(file, 8);
        EXPECT_EQ(RowHex(plain, 0), "11 22 33 44");
        EXPECT_EQ(RowHex(plain, 1), "AA BB CC DD");
        EXPECT_EQ(RowHex(plain, 7), "FF FF FF FF");  // the padding rows are blank
        // Trailing bytes shift the picture: its rows are still the file's last 8 bytes.
        const PaddedBitmap shifted = ReadGoodBmp(file + "\x01\x02\x03", 8);
        EXPECT_EQ(RowHex(shifted, 0), "44 01 02 03");
        EXPECT_EQ(RowHex(shifted, 1), "DD 11 22 33");
    }
    // 5 pixels of 24 bits: a 128-bit row of which only the first 5 bits are the picture.
    const PaddedBitmap deep = ReadGoodBmp(BmpHeaders(5, 1, 24, 16) + std::string(16, '\x5A'), 8);
    EXPECT_EQ(RowHex(deep, 0), "5F FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
}

// The fuzz seeds hold unusable files of every refusal, the size bounds included.
TEST(ReadPaddedBitmap, ReadsOrRefusesEverySeedOfTheFuzzCorpusAndReportsAFolder) {
    for (const SeedBmp& seed : SeedCorpus()) {
        SCOPED_TRACE(seed.name);
        const BmpReadResult result = ReadBmpBytes(seed.bytes, 24);
        ASSERT_EQ(std::holds_alternative<BmpReadError>(result), seed.refusal.has_value());
        if (seed.refusal) {
            EXPECT_EQ(std::get<BmpReadError>(result).failure, *seed.refusal);
        }
    }
    const BmpReadResult folder = ReadPaddedBitmap(QDir::tempPath().toStdString(), 8);
    ASSERT_TRUE(std::holds_alternative<BmpReadError>(folder));
    EXPECT_EQ(std::get<BmpReadError>(folder).failure, BmpReadFailure::CannotOpen);
    EXPECT_TRUE(std::get<BmpReadError>(folder).os);
}

void ExpectBothConvertersMatchTheReference(int width, int height,
                                           const DotFunction& dot = PatternDot) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const std::string file = MonochromeBmp(width, height, dot);
    const int rowBytes = (width + 31) / 32 * 4;
    const int xBytes = std::min(rowBytes, 72), yBytes = std::min((height + 7) / 8, 113);
    const PaddedBitmap logo = ReadGoodBmp(file, 8);
    std::vector<std::uint8_t> definition(NvLogoGeometryOf(logo).DefinitionSize());
    ASSERT_EQ(definition.size(), std::size_t(7 + xBytes * yBytes * 8));
    WriteNvLogoDefinition(logo, definition);
    EXPECT_EQ(definition[3] + 256 * definition[4], xBytes);
    EXPECT_EQ(definition[5] + 256 * definition[6], yBytes);
    EXPECT_EQ(Text(definition).substr(7),
              ReferenceColumns(width, height, dot, 8 * xBytes, 0, yBytes));

    const int dots = std::min(rowBytes * 8, 576);
    const PaddedBitmap bitmap = ReadGoodBmp(file, 24);
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    ASSERT_EQ(raster.bandCount, std::uint32_t((height + 23) / 24 * 3));
    std::vector<std::uint8_t> band(raster.BandSize());
    ASSERT_EQ(band.size(), std::size_t(5 + dots));
    WriteRasterBandHeader(raster, band);
    for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
        WriteRasterBandData(bitmap, index, band);
        EXPECT_EQ(band[3] + 256 * band[4], dots);
        EXPECT_EQ(Text(band).substr(5), ReferenceColumns(width, height, dot, dots, int(index), 1))
            << "band " << index;
    }
}

// Widths and heights on both sides of the byte, group and band edges and of both limits
// (576 dots across, 904 rows for the logo), each at least once, and an all-blank picture.
TEST(Converters, MatchThePixelReferenceAtAwkwardSizes) {
    const std::pair<int, int> sizes[] = {{1, 1},     {33, 8},    {64, 9},  {100, 24}, {256, 25},
                                         {576, 904}, {577, 905}, {577, 1}, {1, 905}};
    for (const auto& [width, height] : sizes) ExpectBothConvertersMatchTheReference(width, height);
    ExpectBothConvertersMatchTheReference(100, 50, [](int, int) { return false; });
}

}  // namespace
}  // namespace quillora::test
