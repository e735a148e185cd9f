#include "LineBuffer.h"

#include <algorithm>

namespace vprinter {

void LineBuffer::Add(QImage cell) {
    const int width = cell.width();
    cells_.push_back(Cell{position_, std::move(cell)});
    position_ += width;
}

bool LineBuffer::MoveTo(int x) {
    if (x < 0 || x > widthDots_) return false;
    position_ = x;
    return true;
}

QImage LineBuffer::Take() {
    int height = 0;
    int width = 0;
    for (const Cell& cell : cells_) {
        height = std::max(height, cell.image.height());
        width = std::max(width, cell.left + cell.image.width());
    }
    QImage line(std::max(width, 1), std::max(height, 1), QImage::Format_Grayscale8);
    line.fill(255);
    int inked = 0;  // cells so far reach no further right than this
    for (const Cell& cell : cells_) {
        const int cellWidth = cell.image.width();
        const int cellHeight = cell.image.height();
        const int top = height - cellHeight;
        // Most cells meet white paper only: copied, not merged dot by dot.
        const bool overprint = cell.left < inked;
        for (int y = 0; y < cellHeight; ++y) {
            const uchar* source = cell.image.constScanLine(y);
            uchar* target = line.scanLine(top + y) + cell.left;
            if (!overprint) {
                std::copy_n(source, cellWidth, target);
                continue;
            }
            for (int x = 0; x < cellWidth; ++x) target[x] = std::min(target[x], source[x]);
        }
        inked = std::max(inked, cell.left + cellWidth);
    }
    cells_.clear();
    position_ = 0;
    return line;
}

}  // namespace vprinter
