#include "checks/DataExchange.h"

#include <cstdint>

#include "texts/Texts.h"

namespace quillora {

std::optional<int> ParseDialogInteger(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto blank = [&](std::size_t k) { return text[k] == ' ' || text[k] == '\t'; };
    while (i < n && blank(i)) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t firstDigit = i;
    std::int64_t value = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (i == firstDigit) return std::nullopt;
    while (i < n && blank(i)) ++i;
    if (i != n) return std::nullopt;
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int>(value);
}

std::string EnterIntegerPrompt() {
    return texts::translate("DataExchange", "请输入一个整数。");
}

std::string EnterIntegerInRangePrompt(int low, int high) {
    return texts::Format(texts::translate("DataExchange", "请输入一个介于 %1 和 %2 之间的整数。"),
                         {std::to_string(low), std::to_string(high)});
}

}  // namespace quillora
