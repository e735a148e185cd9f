#include "virtual-printer/lib/Journal.h"

#include <algorithm>
#include <utility>

namespace vprinter {

void Journal::Log(std::size_t offset, std::string_view text) {
    Log(offset, {text});
}

void Journal::Log(std::size_t offset, std::initializer_list<std::string_view> parts) {
    Flush();
    // Built in the same string each time: once it has grown, a line costs no allocation.
    line_ = "offset ";
    line_ += std::to_string(offset);
    line_ += ": ";
    for (const std::string_view part : parts) line_ += part;
    output_.Log(line_);
}

void Journal::LogProblem(std::size_t offset, std::string_view text, const std::uint8_t* bytes,
                         std::size_t length) {
    // Compared without building the line: a run costs no allocation.
    const std::size_t shown = std::min(length, kShownBytes + 1);
    if (heldCount_ > 0 && shown == heldBytesLength_ && text == heldText_ &&
        std::equal(bytes, bytes + std::min(shown, kShownBytes), heldBytes_.begin())) {
        ++heldCount_;
        heldLast_ = offset;
        return;
    }
    Flush();
    heldText_ = text;
    std::copy_n(bytes, std::min(shown, kShownBytes), heldBytes_.begin());
    heldBytesLength_ = shown;
    heldFirst_ = heldLast_ = offset;
    heldCount_ = 1;
}

void Journal::Flush() {
    if (heldCount_ == 0) return;
    if (lines_ >= kLinesPerReceipt) {
        ++leftOut_;
        heldCount_ = 0;
        return;
    }
    line_ = "offset ";
    line_ += std::to_string(heldFirst_);
    line_ += ": ";
    line_ += heldText_;
    line_ += ": ";
    line_ += HexBytes(heldBytes_.data(), heldBytesLength_);
    if (heldCount_ > 1) {
        line_ += " (" + std::to_string(heldCount_) + " times, the last at offset " +
                 std::to_string(heldLast_) + ")";
    }
    heldCount_ = 0;
    ++lines_;
    output_.Log(line_);
}

void Journal::Line(const std::string& line) {
    Flush();
    output_.Log(line);
}

int Journal::TakeProblems() {
    Flush();
    if (leftOut_ > 0) {
        output_.Log(std::to_string(leftOut_) +
                    " more problem lines about this receipt not logged (at most " +
                    std::to_string(kLinesPerReceipt) + " per receipt)");
    }
    lines_ = 0;
    leftOut_ = 0;
    return std::exchange(problems_, 0);
}

}  // namespace vprinter
