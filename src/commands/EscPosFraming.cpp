#include <algorithm>

#include "commands/EscPosFraming.h"

namespace quillora::escpos {
namespace {

constexpr std::uint8_t kDle = 0x10;
constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kFs = 0x1C;
constexpr std::uint8_t kGs = 0x1D;

std::optional<std::size_t> Need(std::size_t length, std::size_t size) {
    if (size < length) return std::nullopt;
    return length;
}

std::optional<std::size_t> EscLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case 'a':
        case 'd':
            return Need(3, size);
        case '9':  // this model's drawer pulse: ESC 9 m t1 t2
        case 'p':
            return Need(5, size);
        case '*': {
            if (size < 5) return std::nullopt;
            const std::uint8_t m = bytes[2];
            const std::size_t bytesPerColumn = (m == 0 || m == 1)     ? 1
                                               : (m == 32 || m == 33) ? 3
                                                                      : 0;
            if (bytesPerColumn == 0) return 3;
            const std::size_t columns = bytes[3] | (std::size_t{bytes[4]} << 8);
            return Need(5 + columns * bytesPerColumn, size);
        }
        default:
            return 2;
    }
}

std::optional<std::size_t> BarcodeLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3) return std::nullopt;
    const std::uint8_t m = bytes[2];
    if (m <= 6) {
        const std::size_t searched = std::min(size, 3 + kMaxBarcodeData + 1);
        const std::uint8_t* end = std::find(bytes + 3, bytes + searched, 0);
        if (end != bytes + searched) return static_cast<std::size_t>(end - bytes) + 1;
        if (searched == 3 + kMaxBarcodeData + 1) return 3;
        return std::nullopt;
    }
    if (m >= 65 && m <= 73) {
        if (size < 4) return std::nullopt;
        return Need(4 + std::size_t{bytes[3]}, size);
    }
    return 3;
}

std::optional<std::size_t> GsLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case '!':
        case 'F':
            return Need(3, size);
        case 'V':
            if (size < 3) return std::nullopt;
            return (bytes[2] == 65 || bytes[2] == 66) ? Need(4, size) : 3;
        case 'k':
            return BarcodeLength(bytes, size);
        default:
            return 2;
    }
}

std::optional<std::size_t> NvDefinitionLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 3) return std::nullopt;
    const std::size_t count = bytes[2];
    if (count == 0) return 3;
    std::size_t position = 3;
    std::size_t total = 0;
    for (std::size_t image = 0; image < count; ++image) {
        if (size < position + 4) return std::nullopt;
        const std::size_t widthBytes = bytes[position] | (std::size_t{bytes[position + 1]} << 8);
        const std::size_t heightBytes =
            bytes[position + 2] | (std::size_t{bytes[position + 3]} << 8);
        if (widthBytes < 1 || widthBytes > 1023 || heightBytes < 1 || heightBytes > 288) return 3;
        total += widthBytes * heightBytes * 8;
        if (total > kNvCapacityBytes) return 3;
        position += 4 + widthBytes * heightBytes * 8;
    }
    return Need(position, size);
}

}  // namespace

std::optional<std::size_t> CommandLength(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0) return std::nullopt;
    const std::uint8_t first = bytes[0];
    const bool prefixed = first == kEsc || first == kGs || first == kFs || first == kDle;
    if (prefixed && size < 2) return std::nullopt;
    switch (first) {
        case kEsc:
            return EscLength(bytes, size);
        case kGs:
            return GsLength(bytes, size);
        case kFs:
            if (bytes[1] == 'q') return NvDefinitionLength(bytes, size);
            if (bytes[1] == 'p') return Need(4, size);
            return 2;
        case kDle:
            return bytes[1] == 0x04 ? Need(3, size) : 1;
        default:
            break;
    }
    if (IsGbkLead(first)) {
        if (size < 2) return std::nullopt;
        return IsGbkTrail(bytes[1]) ? 2 : 1;
    }
    return 1;
}

}  // namespace quillora::escpos
