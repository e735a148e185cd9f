#include "Paper.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace vprinter {

Paper::Paper(int maxHeightDots) : maxHeight_(maxHeightDots) {}

void Paper::Place(const QImage& block, Justification justification, int advance) {
    const int width = std::min(block.width(), kWidthDots);
    int left = 0;
    if (justification == Justification::Centre) left = (kWidthDots - width) / 2;
    if (justification == Justification::Right) left = kWidthDots - width;
    if (width > 0 && block.height() > 0) stamps_.push_back({cursor_, left, width, block});
    cursor_ += advance;
    used_ = true;
}

void Paper::Feed(int dots) {
    cursor_ += dots;  // blank paper is nothing but the cursor's move
    used_ = true;
}

QImage Paper::Finish() const {
    // Zeroed memory is white paper. From calloc, a tall receipt's blank stretches are pages
    // never touched, where filling an image would write every one of them.
    const int height = std::max(cursor_, 1);
    constexpr int kBytesPerLine = kWidthDots / 8;
    void* bits = std::calloc(std::size_t(height), kBytesPerLine);
    if (bits == nullptr) throw std::bad_alloc();
    QImage paper(static_cast<uchar*>(bits), kWidthDots, height, kBytesPerLine, QImage::Format_Mono,
                 std::free, bits);
    paper.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (const Stamp& stamp : stamps_) {
        const int rows = std::min(stamp.block.height(), paper.height() - stamp.top);
        for (int y = 0; y < rows; ++y) {
            const uchar* source = stamp.block.constScanLine(y);
            uchar* target = paper.scanLine(stamp.top + y);
            for (int x = 0; x < stamp.width; ++x) {
                const int dot = stamp.left + x;
                if (source[x] < 128) target[dot / 8] |= static_cast<uchar>(0x80 >> (dot % 8));
            }
        }
    }
    return paper;
}

}  // namespace vprinter
