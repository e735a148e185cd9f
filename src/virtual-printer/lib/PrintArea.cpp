#include "virtual-printer/lib/PrintArea.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vprinter {
namespace {

// Where a look at the paper under way sends what printing its line would log: nowhere,
// since nothing is printed yet.
class Unheard final : public PrinterOutput {
public:
    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string&) override {}
    void ReceiptDone(Receipt) override {}
};

}  // namespace

void PrintArea::AddCell(const QImage& cell) {
    if (!line_.Fits(cell.width()) && !line_.Empty()) PrintLine();
    line_.Add(cell);
}

void PrintArea::PrintLine(int minimumAdvance) {
    if (line_.Empty()) {
        paper_.Feed(minimumAdvance > 0 ? minimumAdvance : modes_.lineSpacing);
    } else {
        const vprinter::Line line = line_.Close();
        PlaceInArea(
            line.cells, line.width, line.height,
            std::max(minimumAdvance > 0 ? minimumAdvance : modes_.lineSpacing, line.height));
        line_.Clear();
    }
    // Margins and print width set during the line count from the next one.
    line_.SetCapacity(modes_.AreaWidth());
}

void PrintArea::FlushLine() {
    if (!line_.Empty()) PrintLine();
}

void PrintArea::PlaceBlock(const QImage& block, int rowsCut) {
    FlushLine();
    const Piece whole{0, 0, block};
    PlaceInArea(std::span(&whole, 1), block.width(), block.height(), block.height(), rowsCut);
}

void PrintArea::PlaceNote(const QImage& note) {
    FlushLine();
    Lost(paper_.Place(note, Justification::Left, note.height()));
}

void PrintArea::ResetLine() {
    line_.Clear();
    line_.SetCapacity(modes_.AreaWidth());
}

Paper PrintArea::TakePaper() {
    FlushLine();
    return std::exchange(paper_, Paper());
}

Paper PrintArea::PaperSoFar() const {
    Unheard nowhere;
    Journal unheard(nowhere);
    PrintArea look(modes_, unheard);
    look.paper_ = paper_;
    look.line_ = line_;
    look.FlushLine();
    return std::move(look.paper_);
}

void PrintArea::PlaceInArea(std::span<const Piece> pieces, int width, int height, int advance,
                            int rowsCut) {
    const int areaWidth = modes_.AreaWidth();
    if (!modes_.upsideDown) {
        Lost(rowsCut + paper_.Place(pieces, width, height, modes_.justification, advance,
                                    modes_.leftMargin, areaWidth));
        return;
    }
    // Upside down, the line turns half a turn within the print area.
    QImage area(areaWidth, height, QImage::Format_Grayscale8);
    area.fill(255);
    Paper::Stamp(area, 0, Compose(pieces, width, height), modes_.justification, 0, areaWidth);
    Lost(rowsCut + paper_.Place(area.mirrored(true, true), Justification::Left, advance,
                                modes_.leftMargin, areaWidth));
}

void PrintArea::Lost(int lost) {
    if (lost > 0) {
        journal_.CountProblem();
        journal_.Line(std::to_string(lost) + " rows of dots past the paper length limit were lost");
    }
}

}  // namespace vprinter
