#pragma once

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <vector>

#include "EscPosInterpreter.h"

namespace vprinter::test {

// "1B 2A 00" -> bytes; blanks between bytes are optional.
std::vector<std::uint8_t> Hex(const std::string& text);

// Records what an interpreter hands out.
class RecordingOutput final : public PrinterOutput {
public:
    void Reply(const std::vector<std::uint8_t>& bytes) override;
    void Log(const std::string& line) override { logs.push_back(line); }
    void ReceiptDone(Receipt receipt) override { receipts.push_back(std::move(receipt)); }

    bool Logged(const std::string& part) const;

    std::vector<std::uint8_t> replies;
    std::vector<std::string> logs;
    std::vector<Receipt> receipts;
};

// An interpreter with its own memory and output.
struct InterpreterRig {
    PrinterMemory memory;
    RecordingOutput output;
    EscPosInterpreter interpreter{memory, output};

    void Feed(const std::vector<std::uint8_t>& bytes) {
        interpreter.Feed(bytes.data(), bytes.size());
    }
    // Feeds `bytes`, ends the stream and returns the single receipt it made.
    const Receipt& PrintAll(const std::vector<std::uint8_t>& bytes);
};

inline bool IsDot(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}
// The bounding box of every dot in rows [top, bottom); null when there is none.
QRect InkBox(const QImage& image, int top = 0, int bottom = -1);

// The barcodes that zbarimg reads in a PNG, as "TYPE:data" lines, in its order.
QStringList DecodeBarcodes(const QString& pngPath);

// The real printer program, started with `arguments` plus an output folder of its own,
// stopped (SIGTERM) when the object goes.
class PrinterProcess {
public:
    explicit PrinterProcess(QStringList arguments);
    ~PrinterProcess();

    bool Ready() const { return ready_; }
    QString OutputDirectory() const { return out_.path(); }
    QString Log() const;
    // Waits until receipt-NNNN.png exists (and its log line is written).
    bool WaitForReceipt(int number, int timeoutMs = 8000) const;
    QString ReceiptPath(int number, const char* suffix = ".png") const;
    // Stops the printer and returns its exit code.
    int Stop();

private:
    QTemporaryDir out_;
    QProcess process_;
    bool ready_ = false;
};

}  // namespace vprinter::test
