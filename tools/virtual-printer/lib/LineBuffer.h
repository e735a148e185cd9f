#pragma once

#include <QImage>
#include <vector>

namespace vprinter {

// The characters of the line being composed, printed together at the next line feed,
// bottom-aligned as a printer aligns characters of different heights.
class LineBuffer {
public:
    explicit LineBuffer(int widthDots) : widthDots_(widthDots) {}

    bool Empty() const { return cells_.empty(); }
    bool Fits(int cellWidth) const { return width_ + cellWidth <= widthDots_; }
    int Width() const { return width_; }
    void Add(QImage cell);

    // The composed line, and an empty buffer.
    QImage Take();

private:
    int widthDots_;
    int width_ = 0;
    std::vector<QImage> cells_;
};

}  // namespace vprinter
