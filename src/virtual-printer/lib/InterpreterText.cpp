// Character modes, spacing, positions and code tables of the interpreter.
#include <algorithm>
#include <cstdio>

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
            SelectCodeTable(n, offset);
            return true;
        case 'R':
            if (CodeTables::HasNational(n)) {
                modes_.nationalSet = n;
            } else {
                Problem(offset, "international character set out of range", command, length);
            }
            return true;
        case 'r': {
            const int colour = Choice(n, 1);
            if (colour < 0) {
                Problem(offset, "print colour out of range", command, length);
            } else {
                style.red = colour == 1;
            }
            return true;
        }
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
        case '(':
            ExecuteFsCounted(command, length, offset);
            return;
        default:
            Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            return;
    }
}

// FS ( C pL pH fn m: fn 48 selects one-byte characters (m 1) or UTF-8 (m 2); fn 60, the
// font priority, changes nothing with one font per width.
void EscPosInterpreter::ExecuteFsCounted(const std::uint8_t* command, std::size_t length,
                                         std::size_t offset) {
    if (length < 7 || command[2] != 'C') {
        Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
        return;
    }
    const int m = Choice(command[6], 2);
    if (command[5] == 60) return;
    if (command[5] != 48 || m < 1) {
        Problem(offset, "character encoding out of range", command, length);
        return;
    }
    modes_.utf8 = m == 2;
    utf8_.Reset();
}

void EscPosInterpreter::SelectCodeTable(int n, std::size_t offset) {
    if (codeTables_.Renderable(n)) {
        modes_.codeTable = n;
        return;
    }
    const std::string name = CodeTables::TableName(n);
    ProblemNote(offset, "code table " + std::to_string(n) +
                            (name.empty() ? " is not built into this printer"
                                          : " (" + name + ") cannot be rendered here") +
                            "; table " + std::to_string(modes_.codeTable) + " stays");
}

void EscPosInterpreter::AddUtf8(std::uint8_t byte, std::size_t offset) {
    switch (utf8_.Take(byte)) {
        case Utf8Reader::Result::More:
            return;
        case Utf8Reader::Result::Invalid:
            Problem(offset, "not UTF-8", &byte, 1);
            return;
        case Utf8Reader::Result::Character:
            break;
    }
    const char32_t code = utf8_.Last();
    if (code > 0xFFFF || code < 0x20 || code == 0x7F) {
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
        ProblemNote(offset, std::string("character ") + name + " is not in this printer's font");
        return;
    }
    // East Asian wide characters take a double-byte cell, as GBK ones do.
    const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
                      (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
                      (code >= 0xFF00 && code <= 0xFF60) || (code >= 0xFFE0 && code <= 0xFFE6);
    AddCharacter(static_cast<char16_t>(code), wide);
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
                       !style.reverse && !style.rotated && !style.red && style.rightSpacing == 0 &&
                       (!fullWidth || style.kanjiLeftSpacing + style.kanjiRightSpacing == 0);
    const QImage& cell = plain ? glyphs_.Character(character, fullWidth, style.widthFactor,
                                                   style.heightFactor, style.font)
                               : glyphs_.Styled(character, fullWidth, style);
    if (style.red) area_.MarkRed();
    area_.AddCell(cell);
}

}  // namespace vprinter
