#pragma once

#include <QImage>
#include <vector>

namespace vprinter {

// The characters of the line being composed, printed together at the next line feed,
// bottom-aligned as a printer aligns characters of different heights. Cells go at the
// print position, which ESC $ and ESC \ may also move back: cells that meet overprint.
class LineBuffer {
public:
    explicit LineBuffer(int widthDots) : widthDots_(widthDots) {}

    bool Empty() const { return cells_.empty(); }
    bool Fits(int cellWidth) const { return position_ + cellWidth <= widthDots_; }
    // The print position, in dots from the start of the line.
    int Width() const { return position_; }
    int Capacity() const { return widthDots_; }
    void SetCapacity(int widthDots) { widthDots_ = widthDots; }
    void Add(QImage cell);
    // Moves the print position; false (and no move) outside the line.
    bool MoveTo(int x);

    // The composed line, and an empty buffer.
    QImage Take();

private:
    struct Cell {
        int left;
        QImage image;
    };
    int widthDots_;
    int position_ = 0;
    std::vector<Cell> cells_;
};

}  // namespace vprinter
