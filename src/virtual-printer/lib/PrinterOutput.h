#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "virtual-printer/lib/Paper.h"

namespace vprinter {

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
