// Character modes, spacing, positions and code tables of the interpreter.
#include <algorithm>

#include "virtual-printer/lib/EscPosInterpreter.h"

namespace vprinter {
namespace {

// 0 or '0' .. `highest` or '0' + highest, as ESC/POS takes either for its switches.
int Choice(std::uint8_t n, int highest) {
    if (n <= highest) return n;
    if (n >= '0' && n <= '0' + highest) return n - '0';
    return -1;
}

int Word(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

}  // namespace

bool EscPosInterpreter::ExecuteEscText(const std::uint8_t* command, std::size_t length,
                                       std::size_t offset) {
    TextStyle& style = modes_.style;
    const std::uint8_t n = length > 2 ? command[2] : 0;
    switch (command[1]) {
        case '!':
            style.SetPrintMode(n);
            return true;
        case 'E':
            style.bold = (n & 1) != 0;
            return true;
        case 'G':
            style.doubleStrike = (n & 1) != 0;
            return true;
        case '-': {
            const int thickness = Choice(n, 2);
            if (thickness < 0) {
                Problem(offset, "underline out of range", command, length);
            } else {
                style.underline = thickness;
            }
            return true;
        }
        case 'M': {
            const int font = Choice(n, 2);
            if (font < 0) {
                Problem(offset, "font out of range", command, length);
            } else {
                style.font = font == 0 ? CellFont::A : CellFont::B;
            }
            return true;
        }
        case 'V':
            style.rotated = (n & 1) != 0;
            return true;
        case ' ':
            style.rightSpacing = n;
            return true;
        case '2':
            modes_.lineSpacing = PrintModes::kDefaultLineSpacing;
            return true;
        case '3':
            modes_.lineSpacing = n;
            return true;
        case '{':
            modes_.upsideDown = (n & 1) != 0;
            return true;
        case 't':
            // A sender that picks a single-byte table means single-byte characters: it
            // leaves GBK mode as FS . would.
            modes_.doubleByte = false;
            if (CodeTables::Has(n)) {
                modes_.codeTable = n;
            } else {
                ProblemNote(offset, "code table " + std::to_string(n) +
                                        " is not built into this printer; table " +
                                        std::to_string(modes_.codeTable) + " stays");
            }
            return true;
        case 'D': {
            modes_.tabStops.clear();
            for (std::size_t i = 2; i + 1 < length; ++i) {
                // Stops must rise; the first that does not ends the list.
                if (!modes_.tabStops.empty() && command[i] <= modes_.tabStops.back()) break;
                modes_.tabStops.push_back(command[i]);
            }
            return true;
        }
        case '$':
            if (!area_.Line().MoveTo(Word(command + 2))) {
                ProblemNote(offset, "absolute position " + std::to_string(Word(command + 2)) +
                                        " is outside the line");
            }
            return true;
        case '\\': {
            const int move = static_cast<std::int16_t>(Word(command + 2));
            if (!area_.Line().MoveTo(area_.Line().Width() + move)) {
                ProblemNote(offset,
                            "relative position " + std::to_string(move) + " leaves the line");
            }
            return true;
        }
        default:
            return false;
    }
}

bool EscPosInterpreter::ExecuteGsText(const std::uint8_t* command, std::size_t length,
                                      std::size_t offset) {
    switch (command[1]) {
        case '!':
            if (!modes_.style.SetSize(command[2])) {
                Problem(offset, "character size out of range", command, length);
            }
            return true;
        case 'B':
            modes_.style.reverse = (command[2] & 1) != 0;
            return true;
        case 'L':
            modes_.leftMargin = std::min(Word(command + 2), Paper::kWidthDots - 1);
            if (area_.Line().Empty()) area_.Line().SetCapacity(modes_.AreaWidth());
            return true;
        case 'W':
            modes_.printWidth = std::max(1, Word(command + 2));
            if (area_.Line().Empty()) area_.Line().SetCapacity(modes_.AreaWidth());
            return true;
        default:
            return false;
    }
}

void EscPosInterpreter::ExecuteFsText(const std::uint8_t* command, std::size_t length,
                                      std::size_t offset) {
    TextStyle& style = modes_.style;
    const std::uint8_t n = length > 2 ? command[2] : 0;
    switch (command[1]) {
        case '&':
            modes_.doubleByte = true;
            return;
        case '.':
            modes_.doubleByte = false;
            return;
        case '!':  // double-byte print mode: double width, double height, underline
            style.widthFactor = (n & 0x04) ? 2 : 1;
            style.heightFactor = (n & 0x08) ? 2 : 1;
            style.underline = (n & 0x80) ? 1 : 0;
            return;
        case '-':  // as ESC -: one underline for both kinds of character here
            ExecuteEscText(command, length, offset);
            return;
        case 'S':
            style.kanjiLeftSpacing = command[2];
            style.kanjiRightSpacing = command[3];
            return;
        case 'W':
            style.widthFactor = style.heightFactor = (n & 1) ? 2 : 1;
            return;
        case 'C':  // double-byte code system: the bytes are GBK whatever it says
            return;
        default:
            Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            return;
    }
}

void EscPosInterpreter::Tab() {
    const TextStyle& style = modes_.style;
    const int column = (CellWidth(style.font, false) + style.rightSpacing) * style.widthFactor;
    const auto next = std::find_if(modes_.tabStops.begin(), modes_.tabStops.end(),
                                   [&](int stop) { return stop * column > area_.Line().Width(); });
    if (next == modes_.tabStops.end()) return;  // no stop ahead: HT is ignored
    const int width = *next * column - area_.Line().Width();
    if (!area_.Line().Fits(width)) {
        area_.PrintLine();
        return;
    }
    area_.AddCell(glyphs_.Blank(width, CellHeight(style.font) * style.heightFactor));
}

void EscPosInterpreter::AddCharacter(char16_t character, bool fullWidth) {
    const TextStyle& style = modes_.style;
    const bool plain = !style.bold && !style.doubleStrike && style.underline == 0 &&
                       !style.reverse && !style.rotated && style.rightSpacing == 0 &&
                       (!fullWidth || style.kanjiLeftSpacing + style.kanjiRightSpacing == 0);
    area_.AddCell(plain ? glyphs_.Character(character, fullWidth, style.widthFactor,
                                            style.heightFactor, style.font)
                        : glyphs_.Styled(character, fullWidth, style));
}

}  // namespace vprinter
