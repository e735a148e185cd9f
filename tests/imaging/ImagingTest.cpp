// Reading BMP files into padded one-bit pictures, their refusals, and the NV logo and raster
// band converters checked byte for byte against a reference built pixel by pixel.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "BmpFiles.h"
#include "SeedCorpus.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"

namespace quillora::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

BmpReadResult ReadBmpBytes(const std::string& bytes, int rowMultiple) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("picture.bmp").toStdString();
    WriteBinaryFile(path, bytes);
    return ReadPaddedBitmap(path, rowMultiple);
}

PaddedBitmap ReadGoodBmp(const std::string& bytes, int rowMultiple) {
    BmpReadResult result = ReadBmpBytes(bytes, rowMultiple);
    if (const auto* error = std::get_if<BmpReadError>(&result)) {
        ADD_FAILURE() << "refused: " << BmpReadFailureText(error->failure);
        return {};
    }
    return std::move(std::get<PaddedBitmap>(result));
}

std::string RowHex(const PaddedBitmap& bitmap, std::uint32_t row) {
    return Hex(std::span(bitmap.Row(row), bitmap.RowBytes));
}

Bytes NvLogoDefinition(const PaddedBitmap& bitmap) {
    Bytes definition(NvLogoGeometryOf(bitmap).DefinitionSize());
    WriteNvLogoDefinition(bitmap, definition);
    return definition;
}

std::vector<Bytes> RasterBands(const PaddedBitmap& bitmap) {
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    Bytes block(raster.BandSize());
    WriteRasterBandHeader(raster, block);
    std::vector<Bytes> bands;
    for (std::uint32_t band = 0; band < raster.bandCount; ++band) {
        WriteRasterBandData(bitmap, band, block);
        bands.push_back(block);
    }
    return bands;
}

Bytes Data(const Bytes& command, std::size_t header) {
    return {command.begin() + std::ptrdiff_t(header), command.end()};
}

TEST(ReadPaddedBitmap, TakesTheLastRowsOfTheFileTopFirst) {
    // Width 32: no bit is blanked, so the rows show exactly where they were taken from.
    const std::string file = BmpHeaders(32, 2, 1, 8) + std::string("\0\0\0\0\xFF\xFF\xFF\0", 8) +
                             "\xAA\xBB\xCC\xDD" + "\x11\x22\x33\x44";
    const PaddedBitmap plain = ReadGoodBmp(file, 8);
    EXPECT_EQ(RowHex(plain, 0), "11 22 33 44");
    EXPECT_EQ(RowHex(plain, 1), "AA BB CC DD");
    EXPECT_EQ(RowHex(plain, 7), "FF FF FF FF");  // the padding rows are blank
    // Trailing bytes shift the picture: its rows are still the file's last 8 bytes.
    const PaddedBitmap shifted = ReadGoodBmp(file + "\x01\x02\x03", 8);
    EXPECT_EQ(RowHex(shifted, 0), "44 01 02 03");
    EXPECT_EQ(RowHex(shifted, 1), "DD 11 22 33");
}

TEST(ReadPaddedBitmap, IgnoresTheColourTableAndKeepsTheFirstWidthBitsAtOtherDepths) {
    const PaddedBitmap usual = ReadGoodBmp(MonochromeBmp(40, 9, PatternDot), 8);
    const PaddedBitmap inverted =
        ReadGoodBmp(MonochromeBmp(40, 9, PatternDot, Palette::WhiteZero), 8);
    EXPECT_TRUE(std::ranges::equal(usual.Pixels.bytes(), inverted.Pixels.bytes()));
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

TEST(Converters, ConvertTheHundredByFiftyExample) {
    const std::string file = MonochromeBmp(100, 50, PatternDot);
    const Bytes definition = NvLogoDefinition(ReadGoodBmp(file, 8));
    ASSERT_EQ(definition.size(), 903u);
    EXPECT_EQ(Hex(std::span(definition).first(7)), "1C 71 01 10 00 07 00");
    EXPECT_EQ(Data(definition, 7), ReferenceColumns(100, 50, PatternDot, 128, 0, 7));
    EXPECT_EQ(Hex(kPrintNvLogoCommand), "1C 70 01 30");

    const auto bands = RasterBands(ReadGoodBmp(file, 24));
    ASSERT_EQ(bands.size(), 9u);
    for (int band = 0; band < 9; ++band) {
        ASSERT_EQ(bands[band].size(), 133u);
        EXPECT_EQ(Hex(std::span(bands[band]).first(5)), "1B 2A 00 80 00");
        EXPECT_EQ(Data(bands[band], 5), ReferenceColumns(100, 50, PatternDot, 128, band, 1));
    }
}

// Awkward widths against awkward heights, both converters; 577 x 905 is past both limits.
class Sizes : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(Sizes, MatchThePixelReference) {
    const auto [width, height] = GetParam();
    const std::string file = MonochromeBmp(width, height, PatternDot);
    const int rowBytes = (width + 31) / 32 * 4;
    const int xBytes = std::min(rowBytes, 72), yBytes = std::min((height + 7) / 8, 113);
    const Bytes definition = NvLogoDefinition(ReadGoodBmp(file, 8));
    ASSERT_EQ(definition.size(), std::size_t(7 + xBytes * yBytes * 8));
    EXPECT_EQ(definition[3] + 256 * definition[4], xBytes);
    EXPECT_EQ(definition[5] + 256 * definition[6], yBytes);
    EXPECT_EQ(Data(definition, 7),
              ReferenceColumns(width, height, PatternDot, 8 * xBytes, 0, yBytes));

    const int dots = std::min(rowBytes * 8, 576);
    const auto bands = RasterBands(ReadGoodBmp(file, 24));
    ASSERT_EQ(bands.size(), std::size_t((height + 23) / 24 * 3));
    for (int band = 0; band < int(bands.size()); ++band) {
        ASSERT_EQ(bands[band].size(), std::size_t(5 + dots));
        EXPECT_EQ(bands[band][3] + 256 * bands[band][4], dots);
        EXPECT_EQ(Data(bands[band], 5), ReferenceColumns(width, height, PatternDot, dots, band, 1))
            << "band " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Imaging, Sizes,
                         testing::Combine(testing::Values(1, 33, 100, 577),
                                          testing::Values(1, 9, 25, 905)));

}  // namespace
}  // namespace quillora::test
