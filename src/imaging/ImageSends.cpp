#include "imaging/ImageSends.h"

#include "imaging/LockedPages.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"

namespace quillora {

const char* NvLogoDoneText() {
    return "下载NV图完成! ";
}

ImageSend SendNvLogo(PortDriver& ports, const PortName& port, const PaddedBitmap& bitmap) {
    ImageSend result;
    std::error_code error;
    const LockedPages definition =
        LockedPages::Allocate(NvLogoGeometryOf(bitmap).DefinitionSize(), error);
    if (error) {
        result.noMemory = true;
        return result;
    }
    WriteNvLogoDefinition(bitmap, definition.bytes());
    result.tally.expected = std::int64_t(definition.size() + kPrintNvLogoCommand.size());
    result.lastCount = ports.SendData(port, definition.data(), int(definition.size()));
    result.tally.sent = result.lastCount;
    if (result.lastCount != 0) {
        result.lastCount =
            ports.SendData(port, kPrintNvLogoCommand.data(), int(kPrintNvLogoCommand.size()));
        result.tally.sent += result.lastCount;
    }
    return result;
}

ImageSend SendRasterBands(PortDriver& ports, const PortName& port, const PaddedBitmap& bitmap) {
    ImageSend result;
    const RasterGeometry raster = RasterGeometryOf(bitmap);
    std::error_code error;
    const LockedPages band = LockedPages::Allocate(raster.BandSize(), error);
    if (error) {
        result.noMemory = true;
        return result;
    }
    result.tally.expected = std::int64_t(raster.BandSize()) * raster.bandCount;
    // One block serves every band: the header once, the data rewritten per band.
    WriteRasterBandHeader(raster, band.bytes());
    for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
        WriteRasterBandData(bitmap, index, band.bytes());
        result.lastCount = ports.SendData(port, band.data(), int(band.size()));
        result.tally.sent += result.lastCount;
        if (result.lastCount == 0) break;
    }
    return result;
}

}  // namespace quillora
