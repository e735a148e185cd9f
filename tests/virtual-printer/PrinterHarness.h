#pragma once

#include <cstdio>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <functional>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace vprinter::test {

// "1B 2A 00" -> bytes; blanks between bytes are optional.
inline std::vector<std::uint8_t> Hex(const std::string& text) {
    const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(text));
    return {bytes.begin(), bytes.end()};
}

struct RecordingOutput final : PrinterOutput {
    void Reply(const std::vector<std::uint8_t>&) override {}  // status replies go end to end
    void Log(const std::string& line) override { logs.push_back(line); }
    void ReceiptDone(Receipt receipt) override { receipts.push_back(std::move(receipt)); }
    bool Logged(const std::string& part) const {
        return std::any_of(logs.begin(), logs.end(),
                           [&](const std::string& line) { return line.find(part) != line.npos; });
    }

    std::vector<std::string> logs;
    std::vector<Receipt> receipts;
};

struct InterpreterRig {
    PrinterMemory memory;
    RecordingOutput output;
    EscPosInterpreter interpreter{memory, output};

    void Feed(const std::vector<std::uint8_t>& bytes) {
        interpreter.Feed(bytes.data(), bytes.size());
    }
    // Feeds `bytes`, ends the stream and returns the last receipt.
    const Receipt& PrintAll(const std::vector<std::uint8_t>& bytes) {
        Feed(bytes);
        interpreter.EndOfStream();
        return output.receipts.back();
    }
};

inline bool IsDot(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}
// The bounding box of every dot in rows [top, bottom); null when there is none.
inline QRect InkBox(const QImage& image, int top = 0, int bottom = -1) {
    QRect box;
    for (int y = top; y < (bottom < 0 ? image.height() : bottom); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsDot(image, x, y)) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The barcodes zbarimg reads in a PNG, as "TYPE:data" lines, sorted.
inline QStringList DecodeBarcodes(const QString& pngPath) {
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--quiet"), pngPath});
    zbar.waitForFinished(30000);
    QStringList decoded = QString::fromUtf8(zbar.readAllStandardOutput())
                              .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    decoded.sort();
    return decoded;
}

// Reads until `count` bytes have come or none came for `timeoutMs`.
inline QByteArray ReadSome(QTcpSocket& socket, int count, int timeoutMs = 3000) {
    QByteArray reply;
    while (reply.size() < count && socket.waitForReadyRead(timeoutMs)) reply += socket.readAll();
    return reply;
}

// The real printer program with an output folder of its own, stopped (SIGTERM) when the
// object goes. `inChild`, when given, runs in the child just before the program starts.
class PrinterProcess {
public:
    explicit PrinterProcess(QStringList arguments, std::function<void()> inChild = {}) {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        if (inChild) process_.setChildProcessModifier(std::move(inChild));
        process_.start(QStringLiteral(VPRINTER_BINARY),
                       arguments << QStringLiteral("--out") << out_.path());
        const QDeadlineTimer deadline(10000);
        while (!ready_ && !deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(100);
            ready_ = (seen_ += process_.readAll()).contains("ready:");
        }
    }
    ~PrinterProcess() { Stop(); }

    bool Ready() const { return ready_; }
    // What the program wrote to standard output and error until it was ready or had ended.
    const QByteArray& StartOutput() const { return seen_; }
    QString Log() const {
        QFile log(out_.filePath(QStringLiteral("printer.log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
    // Waits until receipt-NNNN.png exists (and its log line is written).
    bool WaitForReceipt(int number) const {
        const QDeadlineTimer deadline(8000);
        const QString name = QFileInfo(ReceiptPath(number)).fileName();
        for (; !deadline.hasExpired(); QThread::msleep(20)) {
            if (Log().contains(name)) return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return false;
    }
    QString ReceiptPath(int number, const char* suffix = ".png") const {
        return out_.filePath(QStringLiteral("receipt-%1").arg(number, 4, 10, QLatin1Char('0')) +
                             QLatin1String(suffix));
    }
    // Sends SIGTERM and returns at once.
    void Signal() { process_.terminate(); }
    int Stop() {               // returns the exit code
        process_.terminate();  // nothing to do once it has ended
        process_.waitForFinished(10000);
        // What a printer that failed said (a sanitizer's report, say) belongs in the test's
        // output.
        if (process_.exitCode() != 0) std::fputs(process_.readAll().constData(), stderr);
        return process_.exitCode();
    }

private:
    QTemporaryDir out_;
    QProcess process_;
    bool ready_ = false;
    QByteArray seen_;
};

}  // namespace vprinter::test
