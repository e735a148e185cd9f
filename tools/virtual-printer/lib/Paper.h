#pragma once

#include <QImage>
#include <vector>

namespace vprinter {

enum class Justification { Left, Centre, Right };

// The receipt as it leaves the print head: 576 dots wide, growing downwards. Everything
// is placed at the cursor as a block of dots; the cursor only moves down. Blocks are kept
// as they came and drawn when the paper is finished, so blank paper (long feeds) costs
// nothing but the cursor's move.
class Paper {
public:
    static constexpr int kWidthDots = 576;
    // At this length the paper reports Full() so that the receipt can be ended, and
    // nothing lies below it: endless streams never grow one image without bound.
    static constexpr int kMaxHeightDots = 32768;

    // Stamps the dark pixels of `block` (Grayscale8, below 128 is a dot) at the cursor,
    // positioned by `justification` within the print area that starts `areaLeft` dots from
    // the left edge and is `areaWidth` wide, clipped to the paper's width, then moves the
    // cursor down by `advance` dots. Returns how many of the block's rows fell past the
    // end of the paper and were lost.
    int Place(const QImage& block, Justification justification, int advance, int areaLeft = 0,
              int areaWidth = kWidthDots);
    void Feed(int dots);

    // Stamps the dark pixels of `block` into `target` (both Grayscale8) from row `top`,
    // placed as Place() places them.
    static void Stamp(QImage& target, int top, const QImage& block, Justification justification,
                      int areaLeft, int areaWidth);

    bool Used() const { return used_; }
    bool Full() const { return cursor_ >= kMaxHeightDots; }
    int CursorY() const { return cursor_; }

    // The paper down to the cursor, one bit per dot.
    QImage Finish() const;

private:
    struct Placed {
        int top;
        int left;
        QImage block;  // only the part that lies on the paper
    };

    std::vector<Placed> placed_;
    int cursor_ = 0;
    bool used_ = false;
};

}  // namespace vprinter
