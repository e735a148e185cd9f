#include "preview/DrawnStream.h"

#include <utility>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace quillora {

void StreamRecorder::ReceiptDone(vprinter::Receipt receipt) {
    const std::size_t start = receiptStart_;
    receiptStart_ += receipt.raw.size();
    receipts_.push_back({std::move(receipt), start});
    if (keep_ > 0 && receipts_.size() > keep_) receipts_.pop_front();
}

void StreamRecorder::ProblemFound(std::size_t offset, std::string_view text, bool carriedOut) {
    problems_.push_back({receiptStart_ + offset, std::string(text), carriedOut});
}

DrawnStream DrawStream(std::span<const std::uint8_t> bytes) {
    StreamRecorder recorder;
    vprinter::PrinterMemory memory;
    vprinter::EscPosInterpreter interpreter(memory, recorder);
    interpreter.Feed(bytes.data(), bytes.size());
    interpreter.EndOfStream();
    DrawnStream drawn;
    for (StreamRecorder::Finished& finished : recorder.Receipts()) {
        drawn.receipts.push_back(std::move(finished.receipt));
    }
    drawn.problems = std::move(recorder.Problems());
    return drawn;
}

}  // namespace quillora
