#pragma once

#include <QImage>
#include <vector>

namespace vprinter {

enum class Justification { Left, Centre, Right };

// The receipt as it leaves the print head: 576 dots wide, growing downwards. Everything
// is placed at the cursor as a block of dots; the cursor only moves down. Blocks are kept
// as they came and drawn onto the paper when it is finished, so blank paper (long feeds)
// costs nothing until then.
class Paper {
public:
    static constexpr int kWidthDots = 576;

    // Past `maxHeightDots` the paper reports Full() so that the receipt can be ended:
    // endless streams never grow one image without bound.
    explicit Paper(int maxHeightDots = 32768);

    // Stamps the dark pixels of `block` (Grayscale8, below 128 is a dot) at the cursor,
    // positioned by `justification` and clipped to the paper's width, then moves the
    // cursor down by `advance` dots.
    void Place(const QImage& block, Justification justification, int advance);
    void Feed(int dots);

    bool Used() const { return used_; }
    bool Full() const { return cursor_ >= maxHeight_; }
    int CursorY() const { return cursor_; }

    // The paper down to the cursor, one bit per dot.
    QImage Finish() const;

private:
    struct Stamp {
        int top = 0;
        int left = 0;
        int width = 0;  // the block's columns that lie on the paper
        QImage block;
    };

    std::vector<Stamp> stamps_;
    int cursor_ = 0;
    int maxHeight_;
    bool used_ = false;
};

}  // namespace vprinter
