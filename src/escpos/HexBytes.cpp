#include "escpos/HexBytes.h"

#include <algorithm>

namespace quillora::escpos {

std::string HexBytes(const std::uint8_t* data, std::size_t size, HexCase digits) {
    const char* kDigits = digits == HexCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    text.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        if (i) text += ' ';
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
    }
    return text;
}

std::string HexBytesUpTo(const std::uint8_t* data, std::size_t size, std::size_t limit,
                         HexCase digits) {
    std::string text = HexBytes(data, std::min(size, limit), digits);
    if (size > limit) text += " …";
    return text;
}

}  // namespace quillora::escpos
