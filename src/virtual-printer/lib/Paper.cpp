#include "virtual-printer/lib/Paper.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vprinter {
namespace {

// Where a block of `blockWidth` dots starts on a line `lineWidth` wide, and how many of its
// columns lie on the line.
struct Span {
    int left;
    int width;
};

Span Position(int lineWidth, int blockWidth, Justification justification, int areaLeft,
              int areaWidth) {
    areaLeft = std::clamp(areaLeft, 0, lineWidth - 1);
    areaWidth = std::clamp(areaWidth, 1, lineWidth - areaLeft);
    int left = areaLeft;
    if (justification == Justification::Centre) left += std::max(0, (areaWidth - blockWidth) / 2);
    if (justification == Justification::Right) left += std::max(0, areaWidth - blockWidth);
    return {left, std::min(blockWidth, lineWidth - left)};
}

// Sets the bits of the paper's row `target` (one bit per dot, left dot in the high bit)
// for the dark pixels (below 128) of `width` grey pixels starting at dot `left`.
void SetDots(const uchar* source, int width, int left, uchar* target) {
    int x = 0;
    const int shift = left % 8;
    for (; x + 8 <= width; x += 8) {
        // Eight pixels at once: bit 7 of each byte tells light from dark; the multiply
        // gathers those bits into one byte, leftmost pixel highest.
        std::uint64_t pixels;
        std::memcpy(&pixels, source + x, sizeof pixels);
        const std::uint64_t dark = (~pixels & 0x8080808080808080u) >> 7;
        const auto bits = static_cast<uchar>((dark * 0x8040201008040201u) >> 56);
        uchar* byte = target + (left + x) / 8;
        byte[0] |= static_cast<uchar>(bits >> shift);
        if (shift != 0) byte[1] |= static_cast<uchar>(bits << (8 - shift));
    }
    for (; x < width; ++x) {
        const int dot = left + x;
        if (source[x] < 128) target[dot / 8] |= static_cast<uchar>(0x80 >> (dot % 8));
    }
}

}  // namespace

void Paper::Stamp(QImage& target, int top, const QImage& block, Justification justification,
                  int areaLeft, int areaWidth) {
    const Span span = Position(target.width(), block.width(), justification, areaLeft, areaWidth);
    for (int y = 0; y < block.height(); ++y) {
        const uchar* source = block.constScanLine(y);
        uchar* line = target.scanLine(top + y) + span.left;
        for (int x = 0; x < span.width; ++x) {
            if (source[x] < 128) line[x] = 0;
        }
    }
}

int Paper::Place(const QImage& block, Justification justification, int advance, int areaLeft,
                 int areaWidth) {
    const Piece whole{0, 0, block};
    return Place(std::span(&whole, 1), block.width(), block.height(), justification, advance,
                 areaLeft, areaWidth);
}

int Paper::Place(std::span<const Piece> pieces, int width, int height, Justification justification,
                 int advance, int areaLeft, int areaWidth) {
    const int left = Position(kWidthDots, width, justification, areaLeft, areaWidth).left;
    const int rows = std::min(height, kMaxHeightDots - cursor_);
    // Room for the pieces of a short receipt at once rather than step by step.
    if (placed_.capacity() == 0) placed_.reserve(16);
    for (const Piece& piece : pieces) {
        const int pieceLeft = left + piece.left;
        const int columns = std::min(piece.image.width(), kWidthDots - pieceLeft);
        const int pieceRows = std::min(piece.image.height(), rows - piece.top);
        if (columns <= 0 || pieceRows <= 0) continue;
        // Only what lies on the paper is painted. A piece reaching further past its right
        // edge than the paper is wide keeps only what lies on it, so that no piece kept is
        // more than twice as wide as the paper (a character's cell never is); rows past its
        // end stay: the paper is full, and the receipt ends now.
        placed_.push_back({pieceLeft, cursor_ + piece.top, columns, pieceRows,
                           piece.image.width() - columns > kWidthDots
                               ? piece.image.copy(0, 0, columns, piece.image.height())
                               : piece.image});
    }
    Feed(advance);
    return height - std::max(rows, 0);
}

void Paper::Feed(int dots) {
    cursor_ = std::min(cursor_ + dots, kMaxHeightDots);
    used_ = true;
}

namespace {

// Zeroed memory, `bytesPerLine` x `height`, as the bits of an image: zero is white paper in
// both kinds of picture. From calloc, a tall receipt's blank stretches are pages never
// touched, where filling an image would write every one of them.
QImage ZeroedImage(int width, int height, int bytesPerLine, QImage::Format format) {
    void* bits = std::calloc(static_cast<std::size_t>(height), bytesPerLine);
    if (bits == nullptr) throw std::bad_alloc();
    return QImage(static_cast<uchar*>(bits), width, height, bytesPerLine, format, std::free, bits);
}

}  // namespace

QImage Paper::Picture() const {
    if (red_) return ColouredPicture();
    const int height = Height();
    QImage paper = ZeroedImage(kWidthDots, height, kWidthDots / 8, QImage::Format_Mono);
    paper.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (const Placed& placed : placed_) {
        const int rows = std::min(placed.rows, height - placed.top);
        for (int y = 0; y < rows; ++y) {
            SetDots(placed.image.constScanLine(y), placed.columns, placed.left,
                    paper.scanLine(placed.top + y));
        }
    }
    return paper;
}

QImage Paper::ColouredPicture() const {
    // Painted as indexes at once: converting a one-bit picture to indexes goes through 32
    // bits a dot, 75 MB for a receipt at the length limit.
    const int height = Height();
    QImage picture = ZeroedImage(kWidthDots, height, kWidthDots, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0)});
    for (const Placed& placed : placed_) {
        const int rows = std::min(placed.rows, height - placed.top);
        for (int y = 0; y < rows; ++y) {
            const uchar* source = placed.image.constScanLine(y);
            uchar* target = picture.scanLine(placed.top + y) + placed.left;
            for (int x = 0; x < placed.columns; ++x) {
                // Red wherever any block put red, else black wherever any put a dot.
                if (source[x] == kRedInk) {
                    target[x] = 2;
                } else if (source[x] < 128 && target[x] == 0) {
                    target[x] = 1;
                }
            }
        }
    }
    return picture;
}

}  // namespace vprinter
