#include "virtual-printer/lib/Journal.h"

#include <utility>

namespace vprinter {

void Journal::Log(std::size_t offset, std::string_view text) {
    Log(offset, {text});
}

void Journal::Log(std::size_t offset, std::initializer_list<std::string_view> parts) {
    // Built in the same string each time: once it has grown, a line costs no allocation.
    line_ = "offset ";
    line_ += std::to_string(offset);
    line_ += ": ";
    for (const std::string_view part : parts) line_ += part;
    output_.Log(line_);
}

int Journal::TakeProblems() {
    return std::exchange(problems_, 0);
}

}  // namespace vprinter
