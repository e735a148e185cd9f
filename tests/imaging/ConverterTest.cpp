// The NV logo definition and the raster bands, checked byte for byte against a reference
// built pixel by pixel from each test picture.
#include <gtest/gtest.h>

#include <vector>

#include "BmpFiles.h"
#include "TestBitmaps.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"

namespace quillora::test {
namespace {

std::vector<std::uint8_t> NvLogoDefinition(const PaddedBitmap& bitmap) {
    std::vector<std::uint8_t> definition(NvLogoGeometryOf(bitmap).DefinitionSize());
    WriteNvLogoDefinition(bitmap, definition);
    return definition;
}

std::vector<std::vector<std::uint8_t>> RasterBands(const PaddedBitmap& bitmap) {
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    std::vector<std::uint8_t> block(raster.BandSize());
    WriteRasterBandHeader(raster, block);
    std::vector<std::vector<std::uint8_t>> bands;
    for (std::uint32_t band = 0; band < raster.bandCount; ++band) {
        WriteRasterBandData(bitmap, band, block);
        bands.push_back(block);
    }
    return bands;
}

std::vector<std::uint8_t> Data(const std::vector<std::uint8_t>& command, std::size_t header) {
    return {command.begin() + std::ptrdiff_t(header), command.end()};
}

TEST(NvLogo, ConvertsTheHundredByFiftyExample) {
    const PaddedBitmap bitmap = ReadGoodBmp(MonochromeBmp(100, 50, PatternDot), 8);
    const std::vector<std::uint8_t> definition = NvLogoDefinition(bitmap);
    ASSERT_EQ(definition.size(), 903u);
    EXPECT_EQ(Hex(std::span(definition).first(7)), "1C 71 01 10 00 07 00");
    const std::vector<std::uint8_t> data = Data(definition, 7);
    EXPECT_EQ(data, ReferenceNvLogoData(100, 50, PatternDot, 16, 7));
    for (int x = 100; x < 128; ++x) {
        for (int g = 0; g < 7; ++g) EXPECT_EQ(data[std::size_t(x * 7 + g)], 0) << x;
    }
    for (int x = 0; x < 100; ++x) EXPECT_EQ(data[std::size_t(x * 7 + 6)] & 0x3F, 0) << x;
    EXPECT_EQ(Hex(kPrintNvLogoCommand), "1C 70 01 30");
}

TEST(RasterBands, ConvertTheHundredByFiftyExample) {
    const PaddedBitmap bitmap = ReadGoodBmp(MonochromeBmp(100, 50, PatternDot), 24);
    const auto bands = RasterBands(bitmap);
    ASSERT_EQ(bands.size(), 9u);
    for (std::size_t band = 0; band < bands.size(); ++band) {
        SCOPED_TRACE(band);
        ASSERT_EQ(bands[band].size(), 133u);
        EXPECT_EQ(Hex(std::span(bands[band]).first(5)), "1B 2A 00 80 00");
        const std::vector<std::uint8_t> data = Data(bands[band], 5);
        EXPECT_EQ(data, ReferenceRasterBandData(100, 50, PatternDot, 128, int(band)));
        for (int x = 100; x < 128; ++x) EXPECT_EQ(data[std::size_t(x)], 0) << x;
        // Band 6 holds rows 48 and 49 in bits 7 and 6; bands 7 and 8 are blank.
        const std::uint8_t allowed = band < 6 ? 0xFF : band == 6 ? 0xC0 : 0x00;
        for (std::uint8_t byte : data) EXPECT_EQ(byte & ~allowed, 0);
    }
    EXPECT_NE(Data(bands[6], 5), std::vector<std::uint8_t>(128, 0));
}

// Every awkward width against every awkward height, for both converters.
class Sizes : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(Sizes, MatchThePixelReference) {
    const auto [width, height] = GetParam();
    const std::string file = MonochromeBmp(width, height, PatternDot);

    const int rowBytes = (width + 31) / 32 * 4;
    const int widthBytes = std::min(rowBytes, 72);
    const int heightBytes = std::min((height + 7) / 8, 113);
    const std::vector<std::uint8_t> definition = NvLogoDefinition(ReadGoodBmp(file, 8));
    ASSERT_EQ(definition.size(), std::size_t(7 + widthBytes * heightBytes * 8));
    EXPECT_EQ(definition[3], widthBytes);
    EXPECT_EQ(definition[5], heightBytes);
    EXPECT_EQ(Data(definition, 7),
              ReferenceNvLogoData(width, height, PatternDot, widthBytes, heightBytes));

    const int bandDots = std::min(rowBytes * 8, 576);
    const int bandCount = (height + 23) / 24 * 3;
    const auto bands = RasterBands(ReadGoodBmp(file, 24));
    ASSERT_EQ(bands.size(), std::size_t(bandCount));
    for (int band = 0; band < bandCount; ++band) {
        ASSERT_EQ(bands[std::size_t(band)].size(), std::size_t(5 + bandDots));
        EXPECT_EQ(bands[std::size_t(band)][3] + 256 * bands[std::size_t(band)][4], bandDots);
        EXPECT_EQ(Data(bands[std::size_t(band)], 5),
                  ReferenceRasterBandData(width, height, PatternDot, bandDots, band))
            << "band " << band;
    }
}

INSTANTIATE_TEST_SUITE_P(Imaging, Sizes,
                         testing::Combine(testing::Values(1, 33, 64, 100, 256, 576, 577),
                                          testing::Values(1, 8, 9, 24, 25, 904, 905)));

TEST(Converters, WriteTheWrittenOutSizeFields) {
    struct Case {
        int width, height;
        const char* logoSize;  // xL xH yL yH
        const char* bandHeader;
        std::size_t bands;
    };
    const Case cases[] = {
        {576, 904, "48 00 71 00", "1B 2A 00 40 02", 114},
        {577, 905, "48 00 71 00", "1B 2A 00 40 02", 114},
        {256, 8, "20 00 01 00", "1B 2A 00 00 01", 3},
        {33, 9, "08 00 02 00", "1B 2A 00 40 00", 3},
        {1, 25, "04 00 04 00", "1B 2A 00 20 00", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const std::string file = MonochromeBmp(c.width, c.height, PatternDot);
        const std::vector<std::uint8_t> definition = NvLogoDefinition(ReadGoodBmp(file, 8));
        EXPECT_EQ(Hex(std::span(definition).subspan(3, 4)), c.logoSize);
        const auto bands = RasterBands(ReadGoodBmp(file, 24));
        ASSERT_EQ(bands.size(), c.bands);
        EXPECT_EQ(Hex(std::span(bands.back()).first(5)), c.bandHeader);
    }
    EXPECT_EQ(
        NvLogoGeometryOf(ReadGoodBmp(MonochromeBmp(576, 904, PatternDot), 8)).DefinitionSize(),
        65095u);
}

TEST(Converters, PrintTheZeroBitsWhateverColourTheyName) {
    const auto blank = [](int, int) { return false; };
    const PaddedBitmap empty = ReadGoodBmp(MonochromeBmp(100, 50, blank), 8);
    EXPECT_EQ(Data(NvLogoDefinition(empty), 7), std::vector<std::uint8_t>(896, 0));
    for (const auto& band : RasterBands(ReadGoodBmp(MonochromeBmp(100, 50, blank), 24))) {
        EXPECT_EQ(Data(band, 5), std::vector<std::uint8_t>(128, 0));
    }

    // Colour 0 white: the file's 0 bits are white pixels, and they print.
    const std::string whiteZero = MonochromeBmp(100, 50, PatternDot, Palette::WhiteZero);
    EXPECT_EQ(Data(NvLogoDefinition(ReadGoodBmp(whiteZero, 8)), 7),
              ReferenceNvLogoData(100, 50, PatternDot, 16, 7));
    EXPECT_EQ(Data(RasterBands(ReadGoodBmp(whiteZero, 24))[0], 5),
              ReferenceRasterBandData(100, 50, PatternDot, 128, 0));
}

}  // namespace
}  // namespace quillora::test
