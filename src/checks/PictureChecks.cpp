#include "checks/PictureChecks.h"

#include <memory>
#include <variant>

#include "imaging/BmpReader.h"
#include "imaging/ImageSends.h"
#include "texts/Texts.h"

namespace quillora {
namespace {

using PictureSend = ImageSend (*)(SendChannel&, const PaddedBitmap&);
using PictureLength = std::int64_t (*)(const PaddedBitmap&);

// What a picture check sends and says: its row multiple, its sends, and the text it says
// once the last command was taken (nullptr: nothing).
struct PictureCheck {
    int rowMultiple;
    PictureSend send;
    PictureLength length;
    const char* doneText;
};

std::string FailureText(BmpReadFailure failure) {
    return texts::translate("BmpReader", BmpReadFailureText(failure));
}

std::optional<ReadyCheck> PreparePicture(CheckHost& host, const PictureCheck& picture) {
    const std::optional<std::string> path = host.ChooseFile(FileKind::Bitmap);
    if (!path) return std::nullopt;
    const PortName port = host.Port();
    BmpReadResult read = ReadPaddedBitmap(*path, picture.rowMultiple);
    if (const auto* error = std::get_if<BmpReadError>(&read)) {
        host.Refuse({FailureText(error->failure), MessageIcon::Information,
                     "unusable BMP: " + FailureText(error->failure)});
        return std::nullopt;
    }
    auto bitmap = std::make_shared<const PaddedBitmap>(std::move(std::get<PaddedBitmap>(read)));
    return [port, bitmap, picture](CheckHost& host) {
        ImageSend sent;
        const SendTally tally = host.Send(port, picture.length(*bitmap), [&](SendChannel& channel) {
            sent = picture.send(channel, *bitmap);
        });
        if (sent.noMemory) {
            host.Report({CheckOutcome::Failed, FailureText(BmpReadFailure::NoMemory),
                         MessageIcon::Information});
            return;
        }
        const bool done = picture.doneText && sent.lastCount != 0;
        host.ReportSend(
            {port,
             tally,
             {},
             done ? texts::translate("BmpReader", picture.doneText) : std::string(),
             {}});
    };
}

}  // namespace

std::optional<ReadyCheck> PrepareNvLogo(CheckHost& host) {
    return PreparePicture(host,
                          {kNvLogoRowMultiple, &SendNvLogo, &NvLogoSendLength, NvLogoDoneText()});
}

std::optional<ReadyCheck> PrepareRasterGraphics(CheckHost& host) {
    return PreparePicture(host, {kRasterRowMultiple, &SendRasterBands, &RasterSendLength, nullptr});
}

}  // namespace quillora
