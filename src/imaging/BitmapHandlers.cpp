// Handlers of the bitmap tests: the stored (NV) logo download and raster graphics
// printing. Both choose a BMP, resolve the port, read the picture and send its commands.
#include <QFile>
#include <optional>
#include <variant>

#include "app/ControlTable.h"
#include "app/MainTestDialog.h"
#include "imaging/BmpReader.h"
#include "imaging/NvLogo.h"
#include "imaging/RasterBands.h"
#include "platform/FileDialogService.h"

namespace quillora {
namespace {

constexpr int kNvLogoRowMultiple = 8;
constexpr int kRasterRowMultiple = 24;

// Every failure of the bitmap tests is told in the window's information box.
void ReportFailure(MainTestDialog& window, BmpReadFailure failure) {
    window.ShowMessage(QString::fromUtf8(BmpReadFailureText(failure)), MessageIcon::Information);
}

std::optional<PaddedBitmap> ReadOrReport(MainTestDialog& window, const QString& path,
                                         int rowMultiple) {
    BmpReadResult result = ReadPaddedBitmap(QFile::encodeName(path).toStdString(), rowMultiple);
    if (const auto* error = std::get_if<BmpReadError>(&result)) {
        ReportFailure(window, error->failure);
        return std::nullopt;
    }
    return std::move(std::get<PaddedBitmap>(result));
}

std::optional<LockedPages> CommandBlockOrReport(MainTestDialog& window, std::size_t size) {
    std::error_code error;
    LockedPages block = LockedPages::Allocate(size, error);
    if (error) {
        ReportFailure(window, BmpReadFailure::NoMemory);
        return std::nullopt;
    }
    return block;
}

}  // namespace

std::optional<QString> MainTestDialog::ChooseBmpFile() {
    return services_.files.ChooseExistingFile(this, QStringLiteral("BMP Files (*.bmp)|*.bmp||"));
}

void MainTestDialog::NvLogoButtonClicked() {
    if (const std::optional<QString> path = ChooseBmpFile()) DownloadNvLogo(*path);
}

void MainTestDialog::RasterGraphicsButtonClicked() {
    if (const std::optional<QString> path = ChooseBmpFile()) PrintRasterGraphics(*path);
}

void MainTestDialog::DownloadNvLogo(const QString& path) {
    const PortName port = CurrentPortName(true);
    int lastCount = 0;
    SendTally tally;
    {
        const std::optional<PaddedBitmap> bitmap = ReadOrReport(*this, path, kNvLogoRowMultiple);
        if (!bitmap) return;
        const std::optional<LockedPages> definition =
            CommandBlockOrReport(*this, NvLogoGeometryOf(*bitmap).DefinitionSize());
        if (!definition) return;
        WriteNvLogoDefinition(*bitmap, definition->bytes());
        const std::int64_t total = std::int64_t(definition->size() + kPrintNvLogoCommand.size());
        tally = SendInBackground(port, total, [&](SendSession& session) {
            // The definition goes in one piece; the print command only once it was taken.
            lastCount = session.Send(definition->data(), int(definition->size()));
            if (lastCount != 0) {
                lastCount =
                    session.Send(kPrintNvLogoCommand.data(), int(kPrintNvLogoCommand.size()));
            }
        });
    }
    if (!tally.Complete()) {
        ReportSend(ControlText(ctl::NvLogo), port, tally);
    } else if (lastCount != 0) {
        ShowMessage(QString::fromUtf8("下载NV图完成! "), MessageIcon::Exclamation);
    }
}

void MainTestDialog::PrintRasterGraphics(const QString& path) {
    const PortName port = CurrentPortName(true);
    const std::optional<PaddedBitmap> bitmap = ReadOrReport(*this, path, kRasterRowMultiple);
    if (!bitmap) return;
    const RasterGeometry raster = RasterGeometryOf(*bitmap);
    const std::optional<LockedPages> band = CommandBlockOrReport(*this, raster.BandSize());
    if (!band) return;
    // One block serves every band: the header once, the data rewritten per band.
    WriteRasterBandHeader(raster, band->bytes());
    const std::int64_t total = std::int64_t(raster.bandCount) * std::int64_t(band->size());
    const SendTally tally = SendInBackground(port, total, [&](SendSession& session) {
        for (std::uint32_t index = 0; index < raster.bandCount; ++index) {
            WriteRasterBandData(*bitmap, index, band->bytes());
            if (session.Send(band->data(), int(band->size())) == 0) break;
        }
    });
    ReportSend(ControlText(ctl::RasterGraphics), port, tally);
}

}  // namespace quillora
