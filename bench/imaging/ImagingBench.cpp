// Reading plus converting the largest stored logo (576 x 904, a 65,095-byte definition)
// and a 576 x 2400 raster picture (300 bands of 581 bytes), and the conversions alone.
// "per_output_byte" is the time per command byte produced; "x_memcpy" is how many times
// longer a conversion takes than copying the picture's packed bits once (memcpy_ns).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstring>
#include <stdexcept>
#include <variant>

#include "BmpFiles.h"
#include "imaging/BmpReader.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"
#include "support/Baseline.h"

namespace quillora {
namespace {

class PictureFile {
public:
    PictureFile(int width, int height) : path_(dir_.filePath("picture.bmp").toStdString()) {
        if (!test::WriteBinaryFile(path_, test::MonochromeBmp(width, height, test::PatternDot))) {
            throw std::runtime_error("cannot write " + path_);
        }
    }
    const std::string& path() const { return path_; }

private:
    QTemporaryDir dir_;
    std::string path_;
};

PaddedBitmap Read(const std::string& path, int rowMultiple) {
    BmpReadResult result = ReadPaddedBitmap(path, rowMultiple);
    if (std::holds_alternative<BmpReadError>(result)) std::abort();
    return std::move(std::get<PaddedBitmap>(result));
}

LockedPages Block(std::size_t size) {
    std::error_code error;
    LockedPages block = LockedPages::Allocate(size, error);
    if (error) std::abort();
    return block;
}

void ConvertLogo(const PaddedBitmap& bitmap, const LockedPages& definition) {
    WriteNvLogoDefinition(bitmap, definition.bytes());
    benchmark::DoNotOptimize(definition.data());
    benchmark::ClobberMemory();
}

// Every band built into the one reused block, as the handler does before each send.
void ConvertRaster(const PaddedBitmap& bitmap, const LockedPages& band) {
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    WriteRasterBandHeader(raster, band.bytes());
    for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
        WriteRasterBandData(bitmap, index, band.bytes());
        benchmark::DoNotOptimize(band.data());
        benchmark::ClobberMemory();
    }
}

// The conversions' limit, measured beside them: the bitmap's bits copied as they are.
void CompareWithMemcpy(benchmark::State& state, const PaddedBitmap& bitmap, bench::Spent own) {
    const LockedPages copy = Block(bitmap.Pixels.size());
    const bench::Spent copying = bench::Baseline::For(state.iterations(), [&] {
        std::memcpy(copy.data(), bitmap.Pixels.data(), copy.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    });
    bench::Baseline::Report(state, "memcpy", own, copying, state.iterations());
    state.counters["bitmap_bytes"] = double(copy.size());
}

void PerOutputByte(benchmark::State& state, std::size_t bytes) {
    state.counters["per_output_byte"] = benchmark::Counter(
        double(bytes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["output_bytes"] = double(bytes);
}

void BM_ReadAndConvertLargestLogo(benchmark::State& state) {
    const PictureFile file(576, 904);
    std::size_t size = 0;
    for (auto _ : state) {
        const PaddedBitmap bitmap = Read(file.path(), 8);
        const LockedPages definition = Block(NvLogoGeometryOf(bitmap).DefinitionSize());
        ConvertLogo(bitmap, definition);
        size = definition.size();
    }
    PerOutputByte(state, size);
}
BENCHMARK(BM_ReadAndConvertLargestLogo)->Unit(benchmark::kMicrosecond);

void BM_ConvertLargestLogo(benchmark::State& state) {
    const PictureFile file(576, 904);
    const PaddedBitmap bitmap = Read(file.path(), 8);
    const LockedPages definition = Block(NvLogoGeometryOf(bitmap).DefinitionSize());
    const bench::Stopwatch stopwatch;
    for (auto _ : state) ConvertLogo(bitmap, definition);
    CompareWithMemcpy(state, bitmap, stopwatch.Elapsed());
    PerOutputByte(state, definition.size());
}
BENCHMARK(BM_ConvertLargestLogo)->Unit(benchmark::kMicrosecond);

void BM_ReadAndConvertRaster576x2400(benchmark::State& state) {
    const PictureFile file(576, 2400);
    std::size_t size = 0;
    for (auto _ : state) {
        const PaddedBitmap bitmap = Read(file.path(), 24);
        const RasterGeometry raster = RasterGeometryOf(bitmap);
        ConvertRaster(bitmap, Block(raster.BandSize()));
        size = raster.BandSize() * raster.bandCount;
    }
    PerOutputByte(state, size);
}
BENCHMARK(BM_ReadAndConvertRaster576x2400)->Unit(benchmark::kMicrosecond);

void BM_ConvertRaster576x2400(benchmark::State& state) {
    const PictureFile file(576, 2400);
    const PaddedBitmap bitmap = Read(file.path(), 24);
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    const LockedPages band = Block(raster.BandSize());
    const bench::Stopwatch stopwatch;
    for (auto _ : state) ConvertRaster(bitmap, band);
    CompareWithMemcpy(state, bitmap, stopwatch.Elapsed());
    PerOutputByte(state, raster.BandSize() * raster.bandCount);
}
BENCHMARK(BM_ConvertRaster576x2400)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillora

BENCHMARK_MAIN();
