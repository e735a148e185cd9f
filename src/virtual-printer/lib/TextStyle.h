#pragma once

#include <QImage>
#include <cstdint>

namespace vprinter {

enum class CellFont { A, B };

// How characters are drawn right now: set by ESC !, ESC E/G, ESC -, GS B, ESC M, ESC SP,
// GS !, ESC V, FS !/FS -/FS S/FS W, and back to these values by ESC @.
struct TextStyle {
    CellFont font = CellFont::A;
    bool bold = false;          // ESC E, ESC ! bit 3
    bool doubleStrike = false;  // ESC G: drawn as bold, as the dots come out alike
    int underline = 0;          // dots: 0, 1 or 2
    bool reverse = false;       // white on black
    bool rotated = false;       // ESC V: each character turned 90 degrees clockwise
    int widthFactor = 1;        // 1..8
    int heightFactor = 1;       // 1..8
    int rightSpacing = 0;       // ESC SP, dots (doubled with the width)
    bool red = false;           // ESC r: the second print colour
    int kanjiLeftSpacing = 0;   // FS S, dots, for double-byte characters
    int kanjiRightSpacing = 0;

    // ESC ! n: font, emphasis, double height and width, underline in one byte.
    void SetPrintMode(std::uint8_t n);
    // GS ! n; false when a factor is out of range (nothing changes then).
    bool SetSize(std::uint8_t n);

    // Everything that changes a character's dots or their ink, packed into 39 bits for
    // caching drawn cells.
    std::uint64_t Key() const;
};

// The character cell of a font, before scaling: A is 12 x 24, B 9 x 17; double-byte
// characters are twice as wide.
int CellWidth(CellFont font, bool fullWidth);
int CellHeight(CellFont font);

// A character drawn with `style`: `glyph` is the plain character already scaled by the
// size factors (Grayscale8); the result adds emphasis, spacing, underline, reverse and
// rotation, and its dots are in the red ink (Paper::kRedInk) when the style is red.
QImage StyleCell(const QImage& glyph, const TextStyle& style, bool fullWidth);

}  // namespace vprinter
