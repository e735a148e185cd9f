#include "virtual-printer/lib/TextStyle.h"

#include <QTransform>
#include <algorithm>

#include "virtual-printer/lib/Paper.h"

namespace vprinter {

void TextStyle::SetPrintMode(std::uint8_t n) {
    font = (n & 0x01) ? CellFont::B : CellFont::A;
    bold = (n & 0x08) != 0;
    heightFactor = (n & 0x10) ? 2 : 1;
    widthFactor = (n & 0x20) ? 2 : 1;
    underline = (n & 0x80) ? 1 : 0;
}

bool TextStyle::SetSize(std::uint8_t n) {
    if (n & 0x88) return false;
    widthFactor = (n >> 4) + 1;
    heightFactor = (n & 0x07) + 1;
    return true;
}

std::uint64_t TextStyle::Key() const {
    // Factors 1 to 8 take four bits, spacings (single bytes of their commands) eight.
    return std::uint64_t{font == CellFont::B} | std::uint64_t{bold || doubleStrike} << 1 |
           std::uint64_t(underline) << 2 | std::uint64_t{reverse} << 4 |
           std::uint64_t{rotated} << 5 | std::uint64_t(widthFactor) << 6 |
           std::uint64_t(heightFactor) << 10 | std::uint64_t(rightSpacing) << 14 |
           std::uint64_t(kanjiLeftSpacing) << 22 | std::uint64_t(kanjiRightSpacing) << 30 |
           std::uint64_t{red} << 38;
}

int CellWidth(CellFont font, bool fullWidth) {
    const int half = font == CellFont::B ? 9 : 12;
    return fullWidth ? 2 * half : half;
}

int CellHeight(CellFont font) {
    return font == CellFont::B ? 17 : 24;
}

QImage StyleCell(const QImage& glyph, const TextStyle& style, bool fullWidth) {
    QImage dots = style.rotated ? glyph.transformed(QTransform().rotate(90)) : glyph;
    const int left = (fullWidth ? style.kanjiLeftSpacing : 0) * style.widthFactor;
    const int right =
        (fullWidth ? style.kanjiRightSpacing : style.rightSpacing) * style.widthFactor;
    QImage cell(left + dots.width() + right, dots.height(), QImage::Format_Grayscale8);
    cell.fill(255);
    const bool bold = style.bold || style.doubleStrike;
    for (int y = 0; y < dots.height(); ++y) {
        const uchar* source = dots.constScanLine(y);
        uchar* target = cell.scanLine(y) + left;
        for (int x = 0; x < dots.width(); ++x) {
            // Emphasis prints each dot twice, the second time one dot to the right.
            if (source[x] < 128 || (bold && x > 0 && source[x - 1] < 128)) target[x] = 0;
        }
    }
    // The underline runs under the spacing too, as on paper.
    for (int y = std::max(0, cell.height() - style.underline); y < cell.height(); ++y) {
        std::fill_n(cell.scanLine(y), cell.width(), uchar{0});
    }
    if (style.reverse) cell.invertPixels();
    // The second colour: the same dots in the grey the paper paints red.
    if (style.red) {
        for (int y = 0; y < cell.height(); ++y) {
            uchar* line = cell.scanLine(y);
            std::replace(line, line + cell.width(), uchar{0}, Paper::kRedInk);
        }
    }
    return cell;
}

}  // namespace vprinter
