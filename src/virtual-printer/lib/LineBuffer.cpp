#include "virtual-printer/lib/LineBuffer.h"

#include <algorithm>

namespace vprinter {

LineBuffer::LineBuffer(int widthDots) : widthDots_(widthDots) {
    // Room for the cells of a short line at once.
    cells_.reserve(16);
}

void LineBuffer::Add(QImage cell) {
    const int width = cell.width();
    cells_.push_back(Piece{position_, 0, std::move(cell)});
    position_ += width;
}

bool LineBuffer::MoveTo(int x) {
    if (x < 0 || x > widthDots_) return false;
    position_ = x;
    return true;
}

Line LineBuffer::Close() {
    Line line;
    for (const Piece& cell : cells_) {
        line.height = std::max(line.height, cell.image.height());
        line.width = std::max(line.width, cell.left + cell.image.width());
    }
    for (Piece& cell : cells_) cell.top = line.height - cell.image.height();
    line.cells = cells_;
    return line;
}

void LineBuffer::Clear() {
    cells_.clear();
    position_ = 0;
}

QImage Compose(std::span<const Piece> pieces, int width, int height) {
    QImage block(width, height, QImage::Format_Grayscale8);
    block.fill(255);
    int inked = 0;  // pieces so far reach no further right than this
    for (const Piece& piece : pieces) {
        const int pieceWidth = piece.image.width();
        // Most pieces meet white paper only: copied, not merged dot by dot.
        const bool overprint = piece.left < inked;
        for (int y = 0; y < piece.image.height(); ++y) {
            const uchar* source = piece.image.constScanLine(y);
            uchar* target = block.scanLine(piece.top + y) + piece.left;
            if (!overprint) {
                std::copy_n(source, pieceWidth, target);
                continue;
            }
            for (int x = 0; x < pieceWidth; ++x) target[x] = std::min(target[x], source[x]);
        }
        inked = std::max(inked, piece.left + pieceWidth);
    }
    return block;
}

}  // namespace vprinter
