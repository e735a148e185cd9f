#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "escpos/HexBytes.h"
#include "virtual-printer/lib/PrinterOutput.h"

namespace vprinter {

// The interpreter's lines for printer.log, most of them with the offset in the receipt's
// bytes of the command they are about, and the count of problems on the receipt under way.
class Journal {
public:
    explicit Journal(PrinterOutput& output) : output_(output) {}

    // "offset N: " and the text, as one log line.
    void Log(std::size_t offset, std::string_view text);
    void Log(std::size_t offset, std::initializer_list<std::string_view> parts);
    // A line that belongs to no one command.
    void Line(const std::string& line) { output_.Log(line); }

    // A command the printer could not carry out as sent, or dots it could not print.
    void CountProblem() { ++problems_; }
    // The problems counted since the last call: the receipt under way ends.
    int TakeProblems();

private:
    PrinterOutput& output_;
    int problems_ = 0;
    std::string line_;  // the log line being built
};

// "1B 2A 00 …": up to eight bytes in hex, for logs and marks.
inline std::string HexBytes(const std::uint8_t* bytes, std::size_t length, std::size_t limit = 8) {
    return quillora::escpos::HexBytesUpTo(bytes, length, limit, quillora::escpos::HexCase::Upper);
}

}  // namespace vprinter
