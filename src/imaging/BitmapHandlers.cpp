// Handlers of the bitmap tests: the stored (NV) logo download and raster graphics
// printing. Both choose a BMP, resolve the port, read the picture and send its commands.
#include <QFile>
#include <optional>
#include <variant>

#include "app/ControlTable.h"
#include "app/MainTestDialog.h"
#include "imaging/BmpReader.h"
#include "imaging/ImageSends.h"
#include "platform/FileDialogService.h"

namespace quillora {
namespace {

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
    ImageSend sent;
    SendTally tally;
    {
        const std::optional<PaddedBitmap> bitmap = ReadOrReport(*this, path, kNvLogoRowMultiple);
        if (!bitmap) return;
        tally = SendInBackground(port, NvLogoSendLength(*bitmap), [&](SendSession& session) {
            sent = SendNvLogo(session, *bitmap);
        });
    }
    if (sent.noMemory) {
        ReportFailure(*this, BmpReadFailure::NoMemory);
    } else if (!tally.Complete()) {
        ReportSend(ControlText(ctl::NvLogo), port, tally);
    } else if (sent.lastCount != 0) {
        ShowMessage(QString::fromUtf8(NvLogoDoneText()), MessageIcon::Exclamation);
    }
}

void MainTestDialog::PrintRasterGraphics(const QString& path) {
    const PortName port = CurrentPortName(true);
    const std::optional<PaddedBitmap> bitmap = ReadOrReport(*this, path, kRasterRowMultiple);
    if (!bitmap) return;
    ImageSend sent;
    const SendTally tally = SendInBackground(port, RasterSendLength(*bitmap), [&](SendSession& session) {
        sent = SendRasterBands(session, *bitmap);
    });
    if (sent.noMemory) {
        ReportFailure(*this, BmpReadFailure::NoMemory);
    } else {
        ReportSend(ControlText(ctl::RasterGraphics), port, tally);
    }
}

}  // namespace quillora
