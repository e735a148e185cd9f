#include "virtual-printer/lib/ReceiptFolder.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <cstdio>

namespace vprinter {
namespace {

// zlib's fastest level: a paper's dots compress well at any level, and at the default one
// compressing takes most of the time a long receipt costs.
constexpr int kPngQuality = 80;

}  // namespace

ReceiptFolder::ReceiptFolder(const QString& directory, std::FILE* echo)
    : directory_(directory), echo_(echo) {
    if (!QDir().mkpath(directory_)) {
        openError_ = QStringLiteral("cannot create the folder %1").arg(directory_);
        return;
    }
    const QRegularExpression pattern(QStringLiteral("^receipt-(\\d+)\\.png$"));
    for (const QString& name : QDir(directory_).entryList(QDir::Files)) {
        const auto match = pattern.match(name);
        if (match.hasMatch()) nextNumber_ = std::max(nextNumber_, match.captured(1).toInt() + 1);
    }
    log_.setFileName(QDir(directory_).filePath(QStringLiteral("printer.log")));
    if (!log_.open(QIODevice::Append | QIODevice::Text)) {
        openError_ = QStringLiteral("cannot write %1: %2").arg(log_.fileName(), log_.errorString());
    }
}

QString ReceiptFolder::Save(const Receipt& receipt, const std::string& source, bool logged) {
    const QString base =
        QDir(directory_)
            .filePath(QStringLiteral("receipt-%1").arg(nextNumber_++, 4, 10, QLatin1Char('0')));
    const QString png = base + QStringLiteral(".png");
    QFile raw(base + QStringLiteral(".bin"));
    const bool rawSaved = raw.open(QIODevice::WriteOnly) &&
                          raw.write(reinterpret_cast<const char*>(receipt.raw.data()),
                                    static_cast<qint64>(receipt.raw.size())) ==
                              static_cast<qint64>(receipt.raw.size());
    if (!rawSaved)
        Log("cannot write " + raw.fileName().toStdString() + ": " +
            raw.errorString().toStdString());
    const QImage picture = receipt.paper.Picture();
    if (!picture.save(png, "PNG", kPngQuality)) {
        Log("cannot write " + png.toStdString());
        return {};
    }
    if (!logged) return png;
    Log(source + ": " + png.toStdString() + " (" + std::to_string(picture.height()) +
        " dots long, " + std::to_string(receipt.raw.size()) + " bytes, ended by " +
        receipt.endedBy + ", " + std::to_string(receipt.problems) + " problems)");
    return png;
}

void ReceiptFolder::Log(const std::string& line) {
    const std::string stamped =
        QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")).toStdString() + " " + line;
    if (echo_) {
        std::fprintf(echo_, "%s\n", stamped.c_str());
        std::fflush(echo_);
    }
    if (log_.isOpen()) {
        log_.write((stamped + "\n").c_str());
        log_.flush();
    }
}

}  // namespace vprinter
