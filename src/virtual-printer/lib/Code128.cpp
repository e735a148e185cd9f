#include "virtual-printer/lib/Code128.h"

#include <array>

#include "virtual-printer/lib/Journal.h"

namespace vprinter {
namespace {

// Bar and space widths of each symbol character, values 0..106 (106 is the stop, whose
// final bar follows).
constexpr std::array<const char*, 107> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "233111"};

constexpr int kStartA = 103;
constexpr int kCodeA = 101;
constexpr int kCodeB = 100;
constexpr int kCodeC = 99;
constexpr int kShift = 98;
constexpr int kStop = 106;

enum class Set { A, B, C };

// The value of `byte` in code set A or B, or -1 when that set has no such character.
int CharacterValue(Set set, unsigned char byte) {
    if (set == Set::A) {
        if (byte < 0x20) return byte + 64;
        return byte < 0x60 ? byte - 0x20 : -1;
    }
    return byte >= 0x20 && byte < 0x80 ? byte - 0x20 : -1;
}

std::string Hex(std::uint8_t byte) {
    return HexBytes(&byte, 1);
}

}  // namespace

Code128Symbol EncodeCode128Sets(const std::string& data) {
    Code128Symbol symbol;
    Set set = data[1] == 'A' ? Set::A : data[1] == 'B' ? Set::B : Set::C;
    symbol.values.push_back(kStartA + static_cast<int>(set));
    const auto fail = [&](const std::string& why) {
        symbol.problem = "CODE128 " + why;
        return symbol;
    };
    for (std::size_t i = 2; i < data.size(); ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte == '{' && i + 1 < data.size() && data[i + 1] != '{') {
            const char selector = data[++i];
            const Set next = selector == 'A' ? Set::A : selector == 'B' ? Set::B : Set::C;
            switch (selector) {
                case 'A':
                case 'B':
                case 'C':
                    if (next != set) symbol.values.push_back(kCodeC + 2 - static_cast<int>(next));
                    set = next;
                    continue;
                case 'S': {
                    if (set == Set::C || i + 1 >= data.size()) {
                        return fail("shift ({S) outside code sets A and B, or at the end");
                    }
                    const auto shifted = static_cast<unsigned char>(data[++i]);
                    const int value = CharacterValue(set == Set::A ? Set::B : Set::A, shifted);
                    if (value < 0) return fail("byte " + Hex(shifted) + " cannot be shifted");
                    symbol.values.push_back(kShift);
                    symbol.values.push_back(value);
                    symbol.humanReadable += QChar(shifted);
                    continue;
                }
                case '1':
                    symbol.values.push_back(102);
                    continue;
                case '2':
                    symbol.values.push_back(97);
                    continue;
                case '3':
                    symbol.values.push_back(96);
                    continue;
                case '4':
                    if (set == Set::C) return fail("FNC4 ({4) in code set C");
                    symbol.values.push_back(set == Set::A ? kCodeA : kCodeB);
                    continue;
                default:
                    return fail(std::string("selector {") + selector + " is unknown");
            }
        }
        if (byte == '{') ++i;  // "{{" is one brace
        if (set == Set::C) {
            if (byte > 99) return fail("byte " + Hex(byte) + " is not a pair of digits in {C");
            symbol.values.push_back(byte);
            symbol.humanReadable += QString::asprintf("%02d", byte);
            continue;
        }
        const int value = CharacterValue(set, byte);
        if (value < 0) {
            return fail("byte " + Hex(byte) + " is not in code set " + (set == Set::A ? "A" : "B"));
        }
        symbol.values.push_back(value);
        if (byte >= 0x20) symbol.humanReadable += QChar(byte);
    }
    return symbol;
}

std::string Code128Modules(const std::vector<int>& values) {
    std::string modules;
    int check = values.empty() ? 0 : values.front();
    for (std::size_t i = 1; i < values.size(); ++i) check += static_cast<int>(i) * values[i];
    const auto add = [&](int value) {
        bool bar = true;
        for (const char* width = kWidths[value]; *width != '\0'; ++width, bar = !bar) {
            modules.append(static_cast<std::size_t>(*width - '0'), bar ? '1' : '0');
        }
    };
    for (const int value : values) add(value);
    add(check % 103);
    add(kStop);
    modules += "11";  // the stop pattern's final bar
    return modules;
}

QImage DrawModules(const std::string& modules, int moduleDots, int heightDots) {
    QImage image(static_cast<int>(modules.size()) * moduleDots, heightDots,
                 QImage::Format_Grayscale8);
    uchar* first = image.scanLine(0);
    for (std::size_t i = 0; i < modules.size(); ++i) {
        for (int dot = 0; dot < moduleDots; ++dot) {
            first[static_cast<int>(i) * moduleDots + dot] = modules[i] == '1' ? 0 : 255;
        }
    }
    for (int y = 1; y < heightDots; ++y) {
        std::copy(first, first + image.width(), image.scanLine(y));
    }
    return image;
}

}  // namespace vprinter
