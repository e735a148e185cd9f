#include "Paper.h"

#include <algorithm>

namespace vprinter {

Paper::Paper(int maxHeightDots)
    : canvas_(kWidthDots, 1024, QImage::Format_Grayscale8), maxHeight_(maxHeightDots) {
    canvas_.fill(255);
}

void Paper::EnsureHeight(int height) {
    if (height <= canvas_.height()) return;
    QImage larger(kWidthDots, std::max(height, canvas_.height() * 2), QImage::Format_Grayscale8);
    larger.fill(255);
    for (int y = 0; y < canvas_.height(); ++y) {
        std::copy_n(canvas_.constScanLine(y), kWidthDots, larger.scanLine(y));
    }
    canvas_ = std::move(larger);
}

void Paper::Place(const QImage& block, Justification justification, int advance) {
    const int width = std::min(block.width(), kWidthDots);
    int left = 0;
    if (justification == Justification::Centre) left = (kWidthDots - width) / 2;
    if (justification == Justification::Right) left = kWidthDots - width;
    EnsureHeight(cursor_ + std::max(block.height(), advance));
    for (int y = 0; y < block.height(); ++y) {
        const uchar* source = block.constScanLine(y);
        uchar* target = canvas_.scanLine(cursor_ + y) + left;
        for (int x = 0; x < width; ++x) {
            if (source[x] < 128) target[x] = 0;
        }
    }
    cursor_ += advance;
    used_ = true;
}

void Paper::Feed(int dots) {
    EnsureHeight(cursor_ + dots);
    cursor_ += dots;
    used_ = true;
}

QImage Paper::Finish() const {
    return canvas_.copy(0, 0, kWidthDots, std::max(cursor_, 1))
        .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

}  // namespace vprinter
