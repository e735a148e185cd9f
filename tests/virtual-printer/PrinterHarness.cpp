#include "PrinterHarness.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

namespace vprinter::test {

std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == '\n') continue;
        digits += c;
        if (digits.size() == 2) {
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16)));
            digits.clear();
        }
    }
    return bytes;
}

void RecordingOutput::Reply(const std::vector<std::uint8_t>& bytes) {
    replies.insert(replies.end(), bytes.begin(), bytes.end());
}

bool RecordingOutput::Logged(const std::string& part) const {
    return std::any_of(logs.begin(), logs.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

const Receipt& InterpreterRig::PrintAll(const std::vector<std::uint8_t>& bytes) {
    Feed(bytes);
    interpreter.EndOfStream();
    return output.receipts.back();
}

QRect InkBox(const QImage& image, int top, int bottom) {
    if (bottom < 0) bottom = image.height();
    QRect box;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsDot(image, x, y)) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QStringList DecodeBarcodes(const QString& pngPath) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), pngPath});
    zbar.waitForFinished(30000);
    return QString::fromUtf8(zbar.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

PrinterProcess::PrinterProcess(QStringList arguments) {
    arguments << QStringLiteral("--out") << out_.path();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral(VPRINTER_BINARY), arguments);
    const QDeadlineTimer deadline(10000);
    QByteArray seen;
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(100);
        seen += process_.readAll();
        if (seen.contains("ready:")) {
            ready_ = true;
            return;
        }
    }
}

PrinterProcess::~PrinterProcess() {
    Stop();
}

int PrinterProcess::Stop() {
    if (process_.state() == QProcess::NotRunning) return process_.exitCode();
    process_.terminate();
    process_.waitForFinished(10000);
    return process_.exitCode();
}

QString PrinterProcess::ReceiptPath(int number, const char* suffix) const {
    return QDir(out_.path())
        .filePath(QStringLiteral("receipt-%1%2")
                      .arg(number, 4, 10, QLatin1Char('0'))
                      .arg(QString::fromLatin1(suffix)));
}

bool PrinterProcess::WaitForReceipt(int number, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    const QString name = QFileInfo(ReceiptPath(number)).fileName();
    while (!deadline.hasExpired()) {
        if (Log().contains(name)) return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return false;
}

QString PrinterProcess::Log() const {
    QFile log(QDir(out_.path()).filePath(QStringLiteral("printer.log")));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll());
}

}  // namespace vprinter::test
