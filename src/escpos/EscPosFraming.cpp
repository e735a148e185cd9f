#include "escpos/EscPosFraming.h"

#include <algorithm>

#include "escpos/ControlCodes.h"

namespace quillora::escpos {
namespace {

std::optional<std::size_t> Need(std::size_t length, std::size_t size) {
    if (size < length) return std::nullopt;
    return length;
}

std::size_t Word(const std::uint8_t* bytes) {
    return bytes[0] | (std::size_t{bytes[1]} << 8);
}

// "ESC ( fn pL pH ...", "GS ( fn pL pH ...", "FS ( fn pL pH ...": pL pH count what follows.
std::optional<std::size_t> CountedLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 5) return std::nullopt;
    return Need(5 + Word(bytes + 3), size);
}

// A list ended by NUL within `maxItems` bytes (ESC D tab stops); without the NUL in reach
// only the first two bytes count.
std::optional<std::size_t> NulEnded(const std::uint8_t* bytes, std::size_t size, std::size_t start,
                                    std::size_t maxItems) {
    const std::size_t searched = std::min(size, start + maxItems + 1);
    const std::uint8_t* end = std::find(bytes + start, bytes + searched, 0);
    if (end != bytes + searched) return static_cast<std::size_t>(end - bytes) + 1;
    if (searched == start + maxItems + 1) return 2;
    return std::nullopt;
}

// ESC & y c1 c2 [x d1 ... d(y*x)] for each character c1..c2.
std::optional<std::size_t> UserCharactersLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 5) return std::nullopt;
    const std::size_t y = bytes[2];
    if (y < 1 || y > 3 || bytes[3] > bytes[4] || bytes[3] < 32) return 3;
    std::size_t position = 5;
    for (int c = bytes[3]; c <= bytes[4]; ++c) {
        if (size < position + 1) return std::nullopt;
        position += 1 + y * bytes[position];
    }
    return Need(position, size);
}

std::optional<std::size_t> EscLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case ' ':
        case '!':
        case '%':
        case '-':
        case '3':
        case '4':  // italic on and off of clone printers, not ESC/POS
        case '5':
        case '=':
        case '?':
        case 'E':
        case 'G':
        case 'J':
        case 'K':
        case 'M':
        case 'R':
        case 'T':
        case 'U':
        case 'V':
        case 'a':
        case 'd':
        case 'e':
        case 'r':
        case 't':
        case 'u':
        case '{':
            return Need(3, size);
        case '$':
        case '\\':
        case 'B':  // buzzer of many models: ESC B n t
        case 'c':  // ESC c 3 n, ESC c 4 n, ESC c 5 n: paper sensors and panel keys
            return Need(4, size);
        case '9':  // this model's drawer pulse: ESC 9 m t1 t2
            return Need(5, size);
        case 'p':
            // ESC p m t1 t2. Some client libraries send "ESC p m" alone, with the next
            // command straight after it: a prefix where t1 belongs starts that command.
            if (size < 4) return std::nullopt;
            if (bytes[3] == kEsc || bytes[3] == kGs || bytes[3] == kFs) return 3;
            return Need(5, size);
        case 'W':
            return Need(10, size);
        case 'Z':  // QR code of clone printers, not ESC/POS: ESC Z m n k dL dH d1...dk
            if (size < 7) return std::nullopt;
            return Need(7 + Word(bytes + 5), size);
        case 'D':
            return NulEnded(bytes, size, 2, kMaxTabStops);
        case '&':
            return UserCharactersLength(bytes, size);
        case '(':
            return CountedLength(bytes, size);
        case '*': {
            if (size < 5) return std::nullopt;
            const std::uint8_t m = bytes[2];
            const std::size_t bytesPerColumn = (m == 0 || m == 1)     ? 1
                                               : (m == 32 || m == 33) ? 3
                                                                      : 0;
            if (bytesPerColumn == 0) return 3;
            return Need(5 + Word(bytes + 3) * bytesPerColumn, size);
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
    if (m >= 65 && m <= 79) {
        if (size < 4) return std::nullopt;
        return Need(4 + std::size_t{bytes[3]}, size);
    }
    return 3;
}

// GS v 0 m xL xH yL yH d1...dk, k = x * y; sizes beyond kMaxGraphicsBytes are not trusted.
std::optional<std::size_t> RasterLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 8) return std::nullopt;
    if (bytes[2] != 0 && bytes[2] != '0') return 3;
    const std::size_t data = Word(bytes + 4) * Word(bytes + 6);
    if (data > kMaxGraphicsBytes) return 3;
    return Need(8 + data, size);
}

// GS 8 L p1 p2 p3 p4 ...: a 32-bit count of what follows.
std::optional<std::size_t> LongCountedLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 7) return std::nullopt;
    const std::size_t count = Word(bytes + 3) | (Word(bytes + 5) << 16);
    if (count > kMaxGraphicsBytes) return 3;
    return Need(7 + count, size);
}

// GS * x y d1...d(x*y*8): a downloaded bit image.
std::optional<std::size_t> DownloadedImageLength(const std::uint8_t* bytes, std::size_t size) {
    if (size < 4) return std::nullopt;
    return Need(4 + std::size_t{bytes[2]} * bytes[3] * 8, size);
}

std::optional<std::size_t> GsLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case '!':
        case '/':
        case 'B':
        case 'E':
        case 'F':
        case 'H':
        case 'I':
        case 'T':
        case 'a':
        case 'b':
        case 'f':
        case 'h':
        case 'j':
        case 'r':
        case 'w':
        case 'x':  // clone printers, not ESC/POS: GS x n
        case 'Z':  // clone printers' 2D code type, not ESC/POS: GS Z n
        case '|':
            return Need(3, size);
        case '$':
        case 'L':
        case 'P':
        case 'W':
        case '\\':
            return Need(4, size);
        case '^':
        case 'z':
            return Need(5, size);
        case 'g':  // GS g 0 m nL nH, GS g 2 m nL nH: maintenance counters
            return Need(6, size);
        case 'V':
            if (size < 3) return std::nullopt;
            switch (bytes[2]) {
                case 0:
                case 1:
                case '0':
                case '1':
                    return 3;
                case 65:
                case 66:
                case 97:
                case 98:
                case 103:
                case 104:
                    return Need(4, size);
                default:
                    return 3;
            }
        case 'k':
            return BarcodeLength(bytes, size);
        case 'v':
            return RasterLength(bytes, size);
        case '(':
            return CountedLength(bytes, size);
        case '8':
            return LongCountedLength(bytes, size);
        case '*':
            return DownloadedImageLength(bytes, size);
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
        const std::size_t widthBytes = Word(bytes + position);
        const std::size_t heightBytes = Word(bytes + position + 2);
        if (widthBytes < 1 || widthBytes > 1023 || heightBytes < 1 || heightBytes > 288) return 3;
        total += widthBytes * heightBytes * 8;
        if (total > kNvCapacityBytes) return 3;
        position += 4 + widthBytes * heightBytes * 8;
    }
    return Need(position, size);
}

std::optional<std::size_t> FsLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case '!':
        case '-':
        case 'C':
        case 'W':
            return Need(3, size);
        case 'p':
        case 'S':
            return Need(4, size);
        case '2':  // FS 2 c1 c2 d1...d72: one user-defined 24 x 24 character
            return Need(76, size);
        case '(':
            return CountedLength(bytes, size);
        case 'q':
            return NvDefinitionLength(bytes, size);
        default:
            return 2;
    }
}

std::optional<std::size_t> DleLength(const std::uint8_t* bytes, std::size_t size) {
    switch (bytes[1]) {
        case kEot:
        case kEnq:
            return Need(3, size);
        case kDc4:  // DLE DC4 fn ...: real-time pulse, power-off, buffer clear, ...
            if (size < 3) return std::nullopt;
            if (bytes[2] == 7) return Need(4, size);
            if (bytes[2] == 8) return Need(10, size);
            return Need(5, size);
        default:
            return 1;
    }
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
            return FsLength(bytes, size);
        case kDle:
            return DleLength(bytes, size);
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
