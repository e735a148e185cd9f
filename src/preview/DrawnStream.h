#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "virtual-printer/lib/PrinterOutput.h"

namespace quillora {

// A command the interpreter could not carry out as sent, and where: `offset` counts the
// bytes of the whole stream, from its first.
struct DrawnProblem {
    std::size_t offset = 0;
    std::string text;  // as the virtual printer logs it after the offset
    // Carried out with a note on the paper, rather than left undone (a hex mark).
    bool carriedOut = false;
};

// What the interpreter hands over while it reads one stream: its receipts (each ended at
// a cut or at the paper's length limit) with where each began in the stream, and its
// problems by place in the stream. Replies and log lines go nowhere: nothing answers.
class StreamRecorder final : public vprinter::PrinterOutput {
public:
    struct Finished {
        vprinter::Receipt receipt;
        std::size_t start = 0;  // its first byte's offset in the stream
    };

    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string&) override {}
    void ReceiptDone(vprinter::Receipt receipt) override;
    void ProblemFound(std::size_t offset, std::string_view text, bool carriedOut) override;

    // Where the receipt under way began.
    std::size_t ReceiptStart() const { return receiptStart_; }
    // At most `keep` finished receipts are held, the newest; 0 keeps them all.
    void KeepReceipts(std::size_t keep) { keep_ = keep; }
    std::deque<Finished>& Receipts() { return receipts_; }
    std::vector<DrawnProblem>& Problems() { return problems_; }

private:
    std::size_t receiptStart_ = 0;
    std::size_t keep_ = 0;
    std::deque<Finished> receipts_;
    std::vector<DrawnProblem> problems_;
};

// Every receipt `bytes` make, as the virtual printer makes them for a sender that sends
// them and then disconnects, and every problem it logs on the way.
struct DrawnStream {
    std::vector<vprinter::Receipt> receipts;
    std::vector<DrawnProblem> problems;
};
DrawnStream DrawStream(std::span<const std::uint8_t> bytes);

}  // namespace quillora
