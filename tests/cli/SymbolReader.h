#pragma once

#include <ZXing/ReadBarcode.h>
#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QString>

#include "platform/CodePage936.h"

namespace quillora::test {

// The bytes of the QR code zbarimg reads in a receipt, as they were encoded (no charset
// guessing), so that GBK and UTF-8 text can each be compared with what was sent. Other
// symbols on the receipt (the barcode check's) are not read.
inline QByteArray ReadQrBytes(const QString& pngPath) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"),
               {QStringLiteral("--quiet"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
                QStringLiteral("-Sqrcode.enable"), QStringLiteral("-Sbinary"),
                QStringLiteral("--nodbus"), pngPath});
    zbar.waitForFinished(30000);
    return zbar.readAllStandardOutput();
}

// zbarimg does not read PDF417; ZXing does. The symbol's bytes as encoded.
inline QByteArray ReadPdf417Bytes(const QString& pngPath) {
    const QImage image = QImage(pngPath).convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(image.constBits(), image.width(), image.height(),
                                ZXing::ImageFormat::Lum, int(image.bytesPerLine()));
    const ZXing::Result result =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::PDF417));
    if (!result.isValid()) return {};
    const auto& bytes = result.bytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline QByteArray ToGbkBytes(const QString& text) {
    return QByteArray::fromStdString(ToGbk(text.toStdString()));
}

}  // namespace quillora::test
