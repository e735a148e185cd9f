#pragma once

#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "virtual-printer/lib/RecentCache.h"
#include "virtual-printer/lib/TextStyle.h"

namespace vprinter {

// Everything drawn as text on the paper: characters in a 12 x 24 (half width) or 24 x 24
// (full width) cell scaled by the size factors, and the printer's own annotations.
// Images are Format_Grayscale8, black 0 on white 255, never grey (no antialiasing).

constexpr int kCellHeight = 24;
constexpr int kHalfCellWidth = 12;

QImage RenderCharacter(const QString& character, bool fullWidth, int widthFactor, int heightFactor,
                       CellFont font = CellFont::A);

// A small inverted box with `text` (hex bytes) in it, one cell high: bytes that were not
// understood stay visible in the line where they arrived.
QImage RenderHexMark(const QString& text);

enum class NoteStyle {
    Event,    // something the printer did: a cut, a drawer pulse, a black-mark feed
    Problem,  // something it could not do as asked
};

// A full-width annotation line.
QImage RenderNote(const QString& text, NoteStyle style, int width);

// Characters, marks and notes drawn once and reused: receipts repeat the same few glyphs
// and notes, and drawing each through the font costs far more than copying it. Characters
// are single UTF-16 code units, as every character this printer decodes is.
class GlyphCache {
public:
    const QImage& Character(char16_t character, bool fullWidth, int widthFactor, int heightFactor,
                            CellFont font = CellFont::A);
    // The character drawn with `style` (StyleCell).
    const QImage& Styled(char16_t character, bool fullWidth, const TextStyle& style);
    const QImage& HexMark(const std::string& text);
    const QImage& Note(const std::string& text, NoteStyle style, int width);

    // A white cell (a tab's blank).
    const QImage& Blank(int width, int height);

    // The bytes of the images held, all kinds together.
    std::size_t Bytes() const { return cells_.Bytes() + marks_.Bytes() + notes_.Bytes(); }

private:
    static std::size_t ImageBytes(const QImage& image) {
        return static_cast<std::size_t>(image.sizeInBytes());
    }

    // Characters and marks take a few hundred dots each, notes a full line of them; but a
    // character eight times enlarged with wide spacing takes a thousand times more, and
    // thousands of distinct ones (double-byte text) would hold gigabytes: weighed, too.
    RecentCache<std::uint64_t, QImage> cells_{2048, std::size_t{24} << 20, &ImageBytes};
    RecentCache<std::string, QImage> marks_{8192, std::size_t{8} << 20, &ImageBytes};
    RecentCache<std::string, QImage> notes_{1024, std::size_t{16} << 20, &ImageBytes};
};

}  // namespace vprinter
