#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillora {

// A decimal integer with an optional sign, optionally surrounded by spaces or tabs, that
// fits in 32 signed bits. Anything else (the empty text included) gives nothing.
std::optional<int> ParseDialogInteger(std::string_view text);

// The bounds of the continuous test's boxes.
struct IntegerRange {
    int low;
    int high;
    bool Contains(int value) const { return value >= low && value <= high; }
};
inline constexpr IntegerRange kIntervalSecondsRange{1, 86400};
inline constexpr IntegerRange kCopyCountRange{1, 100000};

// The prompts of the data exchange (UTF-8).
std::string EnterIntegerPrompt();
std::string EnterIntegerInRangePrompt(int low, int high);

}  // namespace quillora
