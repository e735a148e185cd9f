#pragma once

#include <array>
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
// Binary data can hold a problem at every byte, so the log stays readable and bounded: a
// problem repeated with nothing else logged between is one line with a count, a receipt gets
// at most kLinesPerReceipt problem lines and kMarksPerReceipt marks on its paper, and the
// lines left out are counted in one line when the receipt ends.
class Journal {
public:
    static constexpr int kLinesPerReceipt = 64;
    static constexpr int kMarksPerReceipt = 64;
    static constexpr std::size_t kShownBytes = 8;  // of a command, in its line

    explicit Journal(PrinterOutput& output) : output_(output) {}

    // "offset N: " and the text, as one log line.
    void Log(std::size_t offset, std::string_view text);
    void Log(std::size_t offset, std::initializer_list<std::string_view> parts);
    // "offset N: text: 1B 2A …" for a problem with the command `bytes`, held back while the
    // same problem follows: binary data can repeat one at every byte.
    void LogProblem(std::size_t offset, std::string_view text, const std::uint8_t* bytes,
                    std::size_t length);
    // A line that belongs to no one command; never left out.
    void Line(const std::string& line);
    // Writes the problem held back, if any.
    void Flush();

    // A command the printer could not carry out as sent, or dots it could not print.
    void CountProblem() { ++problems_; }
    // Whether the problem just counted may still leave its mark on the paper.
    bool MayMark() const { return problems_ <= kMarksPerReceipt; }
    // The problems counted since the last call: the receipt under way ends, and the lines
    // left out of its log are counted in one line.
    int TakeProblems();

private:
    PrinterOutput& output_;
    int problems_ = 0;
    int lines_ = 0;            // problem lines written for the receipt under way
    std::size_t leftOut_ = 0;  // problem lines of the receipt under way past kLinesPerReceipt
    // The problem held back: its text, the bytes its line shows (one more than kShownBytes
    // means "…"), where it came first and last, and how often (0: none held).
    std::string heldText_;
    std::array<std::uint8_t, kShownBytes + 1> heldBytes_{};
    std::size_t heldBytesLength_ = 0;
    std::size_t heldFirst_ = 0;
    std::size_t heldLast_ = 0;
    std::size_t heldCount_ = 0;
    std::string line_;  // the log line being built
};

// "1B 2A 00 …": up to eight bytes in hex, for logs and marks.
inline std::string HexBytes(const std::uint8_t* bytes, std::size_t length,
                            std::size_t limit = Journal::kShownBytes) {
    return quillora::escpos::HexBytesUpTo(bytes, length, limit, quillora::escpos::HexCase::Upper);
}

}  // namespace vprinter
