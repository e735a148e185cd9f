#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QString>
#include <string>

namespace quillora::test {

// The last receipt-NNNN.png in `folder`, as the virtual printer numbers them; null when
// there is none.
inline QImage LastReceiptPicture(const QString& folder) {
    const QStringList pictures =
        QDir(folder).entryList({QStringLiteral("receipt-*.png")}, QDir::Files, QDir::Name);
    return pictures.isEmpty() ? QImage() : QImage(QDir(folder).filePath(pictures.last()));
}

// Both pictures dot for dot, whatever format each is kept in.
inline bool SameDots(const QImage& a, const QImage& b) {
    return !a.isNull() && a.size() == b.size() &&
           a.convertToFormat(QImage::Format_Grayscale8) ==
               b.convertToFormat(QImage::Format_Grayscale8);
}

// What zbarimg reads in a picture ("CODE-39:123456" a line); "" when it reads nothing.
inline QString BarcodesIn(const QString& picture) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), picture});
    if (!zbar.waitForFinished(60000)) return {};
    return QString::fromUtf8(zbar.readAllStandardOutput());
}

}  // namespace quillora::test
