// libFuzzer target: any bytes as a BMP file, read for the stored logo and for raster
// printing, and converted whenever the reader accepts them; the conversion this CPU runs
// must give the plain C++ kernel's bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "imaging/BitTranspose.h"
#include "imaging/BmpReader.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"

namespace {

// The input goes through the reader's real file path: an in-memory file named by /proc.
struct MemoryFile {
    MemoryFile() : fd(memfd_create("bmp", MFD_CLOEXEC)) {
        if (fd < 0) std::abort();
    }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd); }
    void Fill(const std::uint8_t* data, std::size_t size) const {
        if (ftruncate(fd, 0) != 0) std::abort();
        if (size > 0 && pwrite(fd, data, size, 0) != ssize_t(size)) std::abort();
    }
    int fd;
};

void ConvertNvLogo(const quillora::PaddedBitmap& bitmap) {
    const quillora::NvLogoGeometry logo = quillora::NvLogoGeometryOf(bitmap);
    std::vector<std::uint8_t> definition(logo.DefinitionSize());
    std::vector<std::uint8_t> plain(std::size_t(logo.widthBytes) * 8 * logo.heightBytes);
    quillora::WriteNvLogoDefinition(bitmap, definition);
    quillora::WriteColumnDots(bitmap.Row(0), bitmap.RowBytes, logo.widthBytes, logo.heightBytes,
                              plain.data(), quillora::DotKernel::Scalar);
    // The column data ends the definition.
    if (!std::equal(plain.rbegin(), plain.rend(), definition.rbegin())) std::abort();
}

void ConvertRaster(const quillora::PaddedBitmap& bitmap) {
    const quillora::RasterGeometry raster = quillora::RasterGeometryOf(bitmap);
    std::vector<std::uint8_t> band(raster.BandSize()), plain(raster.bandDots);
    quillora::WriteRasterBandHeader(raster, band);
    for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
        quillora::WriteRasterBandData(bitmap, index, band);
        quillora::WriteBandDots(bitmap.Row(8 * index), bitmap.RowBytes, raster.bandDots / 8,
                                plain.data(), quillora::DotKernel::Scalar);
        if (!std::equal(plain.rbegin(), plain.rend(), band.rbegin())) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MemoryFile file;
    file.Fill(data, size);
    quillora::BmpReadResult logo = quillora::ReadPaddedBitmap(file.Path(), 8);
    if (const auto* bitmap = std::get_if<quillora::PaddedBitmap>(&logo)) ConvertNvLogo(*bitmap);
    quillora::BmpReadResult raster = quillora::ReadPaddedBitmap(file.Path(), 24);
    if (const auto* bitmap = std::get_if<quillora::PaddedBitmap>(&raster)) ConvertRaster(*bitmap);
    return 0;
}
