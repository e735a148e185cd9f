// The picture-to-column conversions, each kernel forced in turn: the pictures of the other
// imaging tests against the reference built dot by dot, and random rows against the plain
// C++ kernel, at every width in groups and at heights across the vector kernels' tiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "BmpFiles.h"
#include "imaging/BitTranspose.h"

namespace quillora::test {
namespace {

// Bytes a kernel must leave alone after its output.
constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0xA5;

// Picture rows as the BMP reader leaves them: the row padded to 32 bits, rows added below
// up to a multiple of `rowMultiple`, 0 for a dot, every padding bit blank.
struct Rows {
    std::uint32_t stride = 0, count = 0;
    std::vector<std::uint8_t> bytes;
};

Rows Draw(int width, int height, int rowMultiple, bool (*dot)(int, int)) {
    Rows rows;
    rows.stride = std::uint32_t(width + 31) / 32 * 4;
    rows.count = std::uint32_t((height + rowMultiple - 1) / rowMultiple * rowMultiple);
    rows.bytes.assign(std::size_t(rows.stride) * rows.count, 0xFF);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dot(x, y)) rows.bytes[std::size_t(y) * rows.stride + x / 8] &= ~(0x80 >> (x % 8));
    return rows;
}

// Runs `write` on an output of `size` bytes followed by guard bytes; returns the output and
// fails the test when a guard byte changed.
template <typename Write>
std::string Output(std::size_t size, Write&& write) {
    std::vector<std::uint8_t> out(size + kGuard, kGuardByte);
    write(out.data());
    EXPECT_TRUE(std::all_of(out.begin() + std::ptrdiff_t(size), out.end(), [](std::uint8_t byte) {
        return byte == kGuardByte;
    })) << "written past the end";
    return std::string(out.begin(), out.begin() + std::ptrdiff_t(size));
}

std::string Columns(const std::uint8_t* rows, std::uint32_t stride, std::uint32_t groups,
                    std::uint32_t rowGroups, DotKernel kernel) {
    return Output(std::size_t(groups) * 8 * rowGroups, [&](std::uint8_t* out) {
        WriteColumnDots(rows, stride, groups, rowGroups, out, kernel);
    });
}

std::string Band(const std::uint8_t* rows, std::uint32_t stride, std::uint32_t groups,
                 DotKernel kernel) {
    return Output(std::size_t(groups) * 8,
                  [&](std::uint8_t* out) { WriteBandDots(rows, stride, groups, out, kernel); });
}

class DotKernels : public testing::TestWithParam<DotKernel> {
protected:
    void SetUp() override {
        if (!CpuRuns(GetParam())) GTEST_SKIP() << "this CPU does not run the kernel";
    }
};

bool Everywhere(int, int) {
    return true;
}

// Every picture the other tests print, sizes across each edge, the limits of both commands,
// and a black picture (every bit of every byte set).
TEST_P(DotKernels, GiveTheDotByDotReferenceForTheTestPictures) {
    struct Case {
        int width, height;
        bool (*dot)(int, int);
    };
    for (const Case& c : {Case{100, 50, PatternDot},
                          {33, 9, PatternDot},
                          {40, 9, PatternDot},
                          {40, 20, PatternDot},
                          {1, 1, PatternDot},
                          {64, 25, PatternDot},
                          {577, 905, PatternDot},
                          {576, 2400, PatternDot},
                          {200, 131, Everywhere},
                          {8, 8, PatternDot},
                          {31, 7, PatternDot},
                          {1000, 17, PatternDot}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const Rows logo = Draw(c.width, c.height, 8, c.dot);
        const std::uint32_t xBytes = std::min(logo.stride, 72u),
                            yBytes = std::min(logo.count / 8, 113u);
        EXPECT_EQ(Columns(logo.bytes.data(), logo.stride, xBytes, yBytes, GetParam()),
                  ReferenceColumns(c.width, c.height, c.dot, int(8 * xBytes), 0, int(yBytes)));

        const Rows raster = Draw(c.width, c.height, 24, c.dot);
        const std::uint32_t groups = std::min(raster.stride, 72u);
        for (std::uint32_t band = 0; band < raster.count / 8; ++band) {
            ASSERT_EQ(Band(raster.bytes.data() + 8 * band * raster.stride, raster.stride, groups,
                           GetParam()),
                      ReferenceColumns(c.width, c.height, c.dot, int(8 * groups), int(band), 1))
                << "band " << band;
        }
    }
}

// Rows of random bytes, the last byte read the last of the allocation (so that a
// sanitizer sees a read past it), rows wider than what is converted, every width from 1 to
// 80 groups and heights on both sides of the 16-band tiles.
TEST_P(DotKernels, GiveThePlainKernelsBytesForRandomRows) {
    if (GetParam() == DotKernel::Scalar) GTEST_SKIP() << "the plain kernel is the reference here";
    std::mt19937 random(20240917);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::uint32_t groups = 1; groups <= 80; ++groups) {
        for (std::uint32_t rowGroups : {1u, 2u, 15u, 16u, 17u, 33u, 113u}) {
            SCOPED_TRACE(testing::Message() << groups << " groups, " << rowGroups << " bands");
            const std::uint32_t stride = groups + groups % 5;
            std::vector<std::uint8_t> rows(std::size_t(8 * rowGroups - 1) * stride + groups);
            for (std::uint8_t& value : rows) value = std::uint8_t(byte(random));
            ASSERT_EQ(Columns(rows.data(), stride, groups, rowGroups, GetParam()),
                      Columns(rows.data(), stride, groups, rowGroups, DotKernel::Scalar));
            const std::uint8_t* lastBand = rows.data() + std::size_t(8 * (rowGroups - 1)) * stride;
            ASSERT_EQ(Band(lastBand, stride, groups, GetParam()),
                      Band(lastBand, stride, groups, DotKernel::Scalar));
        }
    }
}

std::string KernelName(const testing::TestParamInfo<DotKernel>& info) {
    switch (info.param) {
        case DotKernel::Scalar:
            return "Scalar";
        case DotKernel::Sse2:
            return "Sse2";
        case DotKernel::Avx2:
            return "Avx2";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Forced, DotKernels,
                         testing::Values(DotKernel::Scalar, DotKernel::Sse2, DotKernel::Avx2),
                         KernelName);

#if defined(__x86_64__)
// The kernels' own CPU probe, asked only when a picture is converted, against the compiler's.
TEST(DotKernelChoice, TakesAvx2ExactlyWhereTheCompilersProbeFindsIt) {
    const bool avx2 = __builtin_cpu_supports("avx2") != 0;
    EXPECT_EQ(CpuRuns(DotKernel::Avx2), avx2);
    EXPECT_TRUE(CpuRuns(DotKernel::Sse2));
    EXPECT_EQ(FastestDotKernel(), avx2 ? DotKernel::Avx2 : DotKernel::Sse2);
}
#endif

}  // namespace
}  // namespace quillora::test
