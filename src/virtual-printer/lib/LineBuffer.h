#pragma once

#include <QImage>
#include <span>
#include <vector>

#include "virtual-printer/lib/Paper.h"

namespace vprinter {

// A line of characters as it goes onto the paper: each cell a piece of it, at its own place.
struct Line {
    std::span<const Piece> cells;
    int width = 1;
    int height = 1;
};

// The characters of the line being composed, printed together at the next line feed,
// bottom-aligned as a printer aligns characters of different heights. Cells go at the
// print position, which ESC $ and ESC \ may also move back: cells that meet overprint.
class LineBuffer {
public:
    explicit LineBuffer(int widthDots);

    bool Empty() const { return cells_.empty(); }
    bool Fits(int cellWidth) const { return position_ + cellWidth <= widthDots_; }
    // The print position, in dots from the start of the line.
    int Width() const { return position_; }
    int Capacity() const { return widthDots_; }
    void SetCapacity(int widthDots) { widthDots_ = widthDots; }
    void Add(QImage cell);
    // Moves the print position; false (and no move) outside the line.
    bool MoveTo(int x);

    // The line with its cells bottom-aligned, valid until the buffer changes. Its cells are
    // not drawn into one image: the paper keeps them as they are.
    Line Close();
    // An empty buffer, for the next line.
    void Clear();

private:
    int widthDots_;
    int position_ = 0;
    std::vector<Piece> cells_;  // tops not yet known: they depend on the tallest cell
};

// The pieces drawn into one image `width` x `height` (Grayscale8): where they meet, dots
// of both print.
QImage Compose(std::span<const Piece> pieces, int width, int height);

}  // namespace vprinter
