#include "LineBuffer.h"

#include <algorithm>

namespace vprinter {

void LineBuffer::Add(QImage cell) {
    width_ += cell.width();
    cells_.push_back(std::move(cell));
}

QImage LineBuffer::Take() {
    int height = 0;
    for (const QImage& cell : cells_) height = std::max(height, cell.height());
    QImage line(std::max(width_, 1), std::max(height, 1), QImage::Format_Grayscale8);
    line.fill(255);
    int left = 0;
    for (const QImage& cell : cells_) {
        const int top = height - cell.height();
        for (int y = 0; y < cell.height(); ++y) {
            std::copy_n(cell.constScanLine(y), cell.width(), line.scanLine(top + y) + left);
        }
        left += cell.width();
    }
    cells_.clear();
    width_ = 0;
    return line;
}

}  // namespace vprinter
