#include "Paper.h"

#include <algorithm>

namespace vprinter {

Paper::Paper(int maxHeightDots) : maxHeight_(maxHeightDots) {}

void Paper::EnsureHeight(int height) {
    if (height <= canvas_.height()) return;
    // Most receipts are short: start small, then double.
    QImage larger(kWidthDots, std::max({height, 256, std::min(canvas_.height() * 2, maxHeight_)}),
                  QImage::Format_Grayscale8);
    larger.fill(255);
    for (int y = 0; y < canvas_.height(); ++y) {
        std::copy_n(canvas_.constScanLine(y), kWidthDots, larger.scanLine(y));
    }
    canvas_ = std::move(larger);
}

void Paper::Stamp(QImage& target, int top, const QImage& block, Justification justification,
                  int areaLeft, int areaWidth) {
    const int targetWidth = target.width();
    areaLeft = std::clamp(areaLeft, 0, targetWidth - 1);
    areaWidth = std::clamp(areaWidth, 1, targetWidth - areaLeft);
    int left = areaLeft;
    if (justification == Justification::Centre) {
        left += std::max(0, (areaWidth - block.width()) / 2);
    }
    if (justification == Justification::Right) left += std::max(0, areaWidth - block.width());
    const int width = std::min(block.width(), targetWidth - left);
    for (int y = 0; y < block.height(); ++y) {
        const uchar* source = block.constScanLine(y);
        uchar* line = target.scanLine(top + y) + left;
        for (int x = 0; x < width; ++x) {
            if (source[x] < 128) line[x] = 0;
        }
    }
}

void Paper::Place(const QImage& block, Justification justification, int advance, int areaLeft,
                  int areaWidth) {
    EnsureHeight(cursor_ + std::max(block.height(), advance));
    Stamp(canvas_, cursor_, block, justification, areaLeft, areaWidth);
    cursor_ += advance;
    used_ = true;
}

void Paper::Feed(int dots) {
    cursor_ += dots;  // blank paper needs no canvas until something is placed below it
    used_ = true;
}

QImage Paper::Finish() const {
    QImage paper(kWidthDots, std::max(cursor_, 1), QImage::Format_Mono);
    paper.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    paper.fill(0);
    for (int y = 0; y < std::min(paper.height(), canvas_.height()); ++y) {
        const uchar* source = canvas_.constScanLine(y);
        uchar* target = paper.scanLine(y);
        // Eight dots to a byte, left dot in the high bit (kWidthDots is a multiple of 8).
        for (int x = 0; x < kWidthDots; x += 8) {
            uchar bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                bits = static_cast<uchar>((bits << 1) | (source[x + bit] < 128 ? 1 : 0));
            }
            target[x / 8] = bits;
        }
    }
    return paper;
}

}  // namespace vprinter
