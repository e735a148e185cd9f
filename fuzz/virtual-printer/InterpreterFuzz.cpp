// Any byte stream, arriving in two pieces split where its first byte says, must leave the
// interpreter intact: no crash, no hang, no leak, bounded paper.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace {

class DiscardingOutput final : public vprinter::PrinterOutput {
public:
    explicit DiscardingOutput(bool paint) : paint_(paint) {}
    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string&) override {}
    void ReceiptDone(vprinter::Receipt receipt) override {
        // The paper limit failed.
        if (receipt.paper.Height() > vprinter::Paper::kMaxHeightDots) __builtin_trap();
        // The picture, where one is painted, is as long as the paper.
        if (paint_ && receipt.paper.Picture().height() != receipt.paper.Height()) __builtin_trap();
    }

private:
    bool paint_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Fonts need an application object; it lives as long as the fuzzing process.
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t split = std::min<std::size_t>(data[0], size - 1);
    // Open converters and drawn characters, notes and barcodes carry over from input to
    // input, as in a printer that runs for long; every other piece of state starts afresh.
    static vprinter::Drawings drawings;
    vprinter::PrinterMemory memory;
    // Painting a receipt costs more than reading its stream, and the program paints only
    // to save a picture: one input in sixteen, picked by its length so that a finding
    // reproduces, has its receipts painted under the sanitizers.
    DiscardingOutput output(size % 16 == 0);
    vprinter::EscPosInterpreter interpreter(memory, output, drawings);
    interpreter.Feed(data + 1, split);
    interpreter.Pause();
    interpreter.Feed(data + 1 + split, size - 1 - split);
    interpreter.EndOfStream();
    return 0;
}
