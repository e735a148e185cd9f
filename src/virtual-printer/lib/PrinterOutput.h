#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "virtual-printer/lib/Paper.h"

namespace vprinter {

// A receipt ends when it holds this many bytes, so that an endless stream never grows one
// receipt's bytes without bound.
constexpr std::size_t kMaxReceiptBytes = std::size_t{16} << 20;

// One finished piece of paper and the bytes that made it.
struct Receipt {
    Paper paper;                    // what was placed on it; paper.Picture() paints it
    std::vector<std::uint8_t> raw;  // every byte received for it, in order
    std::string endedBy;            // "full cut (GS V 0)", "connection closed", ...
    int problems = 0;               // commands it could not carry out as sent
};

// Where the interpreter's results go: status replies to the connection they came from,
// log lines and finished receipts to whoever keeps them.
class PrinterOutput {
public:
    virtual ~PrinterOutput() = default;
    virtual void Reply(const std::vector<std::uint8_t>& bytes) = 0;
    virtual void Log(const std::string& line) = 0;
    virtual void ReceiptDone(Receipt receipt) = 0;
};

}  // namespace vprinter
