#pragma once

#include <QImage>
#include <algorithm>
#include <span>
#include <vector>

namespace vprinter {

enum class Justification { Left, Centre, Right };

// An image at a place: on the paper, or within a block made of several (a line of
// characters, each cell its own piece). Grayscale8, below 128 is a dot.
struct Piece {
    int left = 0;
    int top = 0;
    QImage image;
};

// The receipt as it leaves the print head: 576 dots wide, growing downwards. Everything
// is placed at the cursor as a block of dots; the cursor only moves down. Blocks are kept
// as they came and painted only when the picture is asked for, so blank paper (long feeds)
// costs nothing but the cursor's move, and a receipt nobody looks at is never painted.
class Paper {
public:
    static constexpr int kWidthDots = 576;
    // At this length the paper reports Full() so that the receipt can be ended, and
    // nothing lies below it: endless streams never grow one image without bound.
    static constexpr int kMaxHeightDots = 32768;
    // The grey of a dot in the second colour (ESC r 1): dark like black, told apart in the
    // picture, which shows it red.
    static constexpr uchar kRedInk = 96;

    // Stamps the dark pixels of `block` at the cursor, positioned by `justification` within
    // the print area that starts `areaLeft` dots from the left edge and is `areaWidth` wide,
    // clipped to the paper's width, then moves the cursor down by `advance` dots. Returns
    // how many of the block's rows fell past the end of the paper and were lost.
    int Place(const QImage& block, Justification justification, int advance, int areaLeft = 0,
              int areaWidth = kWidthDots);
    // The same for a block `width` x `height` made of `pieces`, each placed within it.
    int Place(std::span<const Piece> pieces, int width, int height, Justification justification,
              int advance, int areaLeft, int areaWidth);
    void Feed(int dots);

    // Stamps the dark pixels of `block` into `target` (both Grayscale8) from row `top`,
    // placed as Place() places them.
    static void Stamp(QImage& target, int top, const QImage& block, Justification justification,
                      int areaLeft, int areaWidth);

    bool Used() const { return used_; }
    // Whether anything was placed on it: paper only fed is not a receipt yet.
    bool Printed() const { return !placed_.empty(); }
    // Some block carries dots in the second colour (kRedInk).
    void MarkRed() { red_ = true; }
    bool Full() const { return cursor_ >= kMaxHeightDots; }
    // How many rows of dots the picture has: down to the cursor, at least one.
    int Height() const { return std::max(cursor_, 1); }

    // The paper down to the cursor, one bit per dot (two, white, black and red, when the
    // second colour was used), painted from the blocks now.
    QImage Picture() const;

private:
    struct Placed {
        int left;
        int top;
        int columns;  // how much of the image lies on the paper
        int rows;
        QImage image;
    };

    std::vector<Placed> placed_;
    // Picture() when the second colour was used: white, black and red (Indexed8).
    QImage ColouredPicture() const;

    int cursor_ = 0;
    bool used_ = false;
    bool red_ = false;
};

}  // namespace vprinter
