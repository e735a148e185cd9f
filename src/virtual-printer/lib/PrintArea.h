#pragma once

#include <QImage>
#include <span>

#include "virtual-printer/lib/Journal.h"
#include "virtual-printer/lib/LineBuffer.h"
#include "virtual-printer/lib/Paper.h"
#include "virtual-printer/lib/PrintModes.h"

namespace vprinter {

// The paper of the receipt under way and the line being composed on it: characters gather
// in the line, which goes onto the paper at a line feed; blocks (pictures, barcodes) and
// notes go onto the paper at once, after the line. Everything lands in the print area the
// modes set (margin, width, justification, upside down); dots past the paper's length limit
// are reported to the journal as a problem.
class PrintArea {
public:
    PrintArea(const PrintModes& modes, Journal& journal) : modes_(modes), journal_(journal) {}

    // Adds a cell to the line, printing the line first when the cell does not fit.
    void AddCell(const QImage& cell);
    // Prints the line and feeds at least `minimumAdvance` dots (the line spacing when 0);
    // an empty line only feeds.
    void PrintLine(int minimumAdvance = 0);
    // Prints the line if it holds anything.
    void FlushLine();
    // `rowsCut`: rows of the block already left out as past the paper's length limit,
    // reported with those that fall past it now.
    void PlaceBlock(const QImage& block, int rowsCut = 0);
    // A note across the whole paper, at its left edge, ignoring the print area.
    void PlaceNote(const QImage& note);
    void Feed(int dots) { paper_.Feed(dots); }

    // The line being composed: its print position, its width and its tab room.
    LineBuffer& Line() { return line_; }
    // Back to an empty line the width of the print area, as at power-on.
    void ResetLine();

    bool Used() const { return paper_.Used(); }
    bool Printed() const { return paper_.Printed(); }
    void MarkRed() { paper_.MarkRed(); }
    bool Full() const { return paper_.Full(); }
    // Prints the line, hands over the paper and starts a fresh one.
    Paper TakePaper();
    // The paper TakePaper() would hand over now, leaving this one as it is.
    Paper PaperSoFar() const;

private:
    // Puts a line or block, `width` x `height` made of `pieces`, on the paper in the print
    // area, upside down when so set.
    void PlaceInArea(std::span<const Piece> pieces, int width, int height, int advance,
                     int rowsCut = 0);
    // Reports `lost` rows of dots that fell past the end of the paper, if any.
    void Lost(int lost);

    const PrintModes& modes_;
    Journal& journal_;
    Paper paper_;
    LineBuffer line_{Paper::kWidthDots};
};

}  // namespace vprinter
