#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <utility>

#include "TextStyle.h"

namespace vprinter {

// Everything drawn as text on the paper: characters in a 12 x 24 (half width) or 24 x 24
// (full width) cell scaled by the size factors, and the printer's own annotations.
// Images are Format_Grayscale8, black 0 on white 255, never grey (no antialiasing).

constexpr int kCellHeight = 24;
constexpr int kHalfCellWidth = 12;

QImage RenderCharacter(const QString& character, bool fullWidth, int widthFactor, int heightFactor,
                       CellFont font = CellFont::A);

// A blank cell (tab stops, spaces the font lacks).
QImage BlankCell(int width, int height);

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
// and notes, and drawing each through the font costs far more than copying it.
class GlyphCache {
public:
    const QImage& Character(const QString& character, bool fullWidth, int widthFactor,
                            int heightFactor, CellFont font = CellFont::A);
    const QImage& HexMark(const QString& text);
    const QImage& Note(const QString& text, NoteStyle style, int width);

    // Any other image, drawn by `make` the first time `key` is asked for.
    template <typename Make>
    const QImage& Cached(const QString& key, Make&& make) {
        const auto found = images_.constFind(key);
        if (found != images_.constEnd()) return *found;
        return Remember(key, std::forward<Make>(make)());
    }

private:
    const QImage& Remember(const QString& key, QImage image);

    static constexpr int kMaxEntries = 4096;
    QHash<QString, QImage> images_;
};

}  // namespace vprinter
