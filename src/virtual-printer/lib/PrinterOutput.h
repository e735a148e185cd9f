#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    // A problem at `offset` in the receipt's bytes, with the text its log line gives after
    // the offset; logged as well. `carriedOut`: the command was carried out with a note on
    // the paper (a check digit corrected, an image not defined) rather than left undone
    // and printed as a hex mark. For whoever lists problems by place (the program's
    // preview); the printer itself only logs them.
    virtual void ProblemFound(std::size_t offset, std::string_view text, bool carriedOut) {
        static_cast<void>(offset);
        static_cast<void>(text);
        static_cast<void>(carriedOut);
    }
    // False when ProblemFound() is not wanted: binary data has a problem at nearly every
    // byte, and its text is then not even made.
    virtual bool ListensForProblems() const { return true; }
};

}  // namespace vprinter
