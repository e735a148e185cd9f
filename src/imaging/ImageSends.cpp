#include "imaging/ImageSends.h"

#include "imaging/LockedPages.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"
#include "texts/Texts.h"

namespace quillora {

const char* NvLogoDoneText() {
    return texts::TranslateLater("BmpReader", "下载NV图完成! ");
}

std::int64_t NvLogoSendLength(const PaddedBitmap& bitmap) {
    return std::int64_t(NvLogoGeometryOf(bitmap).DefinitionSize() + kPrintNvLogoCommand.size());
}

ImageSend SendNvLogo(SendChannel& channel, const PaddedBitmap& bitmap) {
    ImageSend result;
    std::error_code error;
    const LockedPages definition =
        LockedPages::Allocate(NvLogoGeometryOf(bitmap).DefinitionSize(), error);
    if (error) {
        result.noMemory = true;
        return result;
    }
    WriteNvLogoDefinition(bitmap, definition.bytes());
    result.tally.total = NvLogoSendLength(bitmap);
    result.lastCount = channel.Send(definition.data(), int(definition.size()));
    result.tally.taken = result.lastCount;
    if (result.lastCount != 0) {
        result.lastCount =
            channel.Send(kPrintNvLogoCommand.data(), int(kPrintNvLogoCommand.size()));
        result.tally.taken += result.lastCount;
    }
    return result;
}

std::int64_t RasterSendLength(const PaddedBitmap& bitmap) {
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    return std::int64_t(raster.BandSize()) * raster.bandCount;
}

ImageSend SendRasterBands(SendChannel& channel, const PaddedBitmap& bitmap) {
    ImageSend result;
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    std::error_code error;
    const LockedPages band = LockedPages::Allocate(raster.BandSize(), error);
    if (error) {
        result.noMemory = true;
        return result;
    }
    result.tally.total = RasterSendLength(bitmap);
    // One block serves every band: the header once, the data rewritten per band.
    WriteRasterBandHeader(raster, band.bytes());
    for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
        WriteRasterBandData(bitmap, index, band.bytes());
        result.lastCount = channel.Send(band.data(), int(band.size()));
        result.tally.taken += result.lastCount;
        if (result.lastCount == 0) break;
    }
    return result;
}

}  // namespace quillora
