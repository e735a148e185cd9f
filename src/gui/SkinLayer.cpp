#include "gui/SkinLayer.h"

#include <QApplication>
#include <QFile>
#include <QStringDecoder>

namespace quillora {

void ApplySkin(QApplication& application, const std::string& skinPath) {
    QFile file(QString::fromLocal8Bit(skinPath.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    // A binary skin from another toolkit is not a style sheet: leave the look alone.
    if (bytes.contains('\0')) return;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString sheet = decoder(bytes);
    if (decoder.hasError()) return;
    application.setStyleSheet(sheet);
}

}  // namespace quillora
