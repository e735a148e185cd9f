// Barcodes (GS k), their settings (GS h, GS w, GS H, GS f) and the 2D codes of GS ( k.
#include "virtual-printer/lib/EscPosInterpreter.h"

namespace vprinter {

bool EscPosInterpreter::ExecuteBarcodeSetting(const std::uint8_t* command, std::size_t length,
                                              std::size_t offset) {
    // Other GS commands reach here too, some only two bytes long.
    const std::uint8_t n = length > 2 ? command[2] : 0;
    switch (command[1]) {
        case 'h':
            if (n == 0) {
                Problem(offset, "barcode height out of range", command, length);
            } else {
                modes_.barcodeHeight = n;
            }
            return true;
        case 'w':
            if (n < 1 || n > 6) {
                Problem(offset, "barcode module width out of range", command, length);
            } else {
                modes_.barcodeModule = n;
            }
            return true;
        case 'H': {
            const int position = n >= '0' ? n - '0' : n;
            if (position < 0 || position > 3) {
                Problem(offset, "barcode text position out of range", command, length);
            } else {
                modes_.hri = static_cast<HriPosition>(position);
            }
            return true;
        }
        case 'f':
            modes_.hriFont = (n == 1 || n == '1') ? CellFont::B : CellFont::A;
            return true;
        default:
            return false;
    }
}

void EscPosInterpreter::PrintBarcode(const std::uint8_t* command, std::size_t length,
                                     std::size_t offset) {
    const int m = command[2];
    const bool counted = m >= 65 && m <= 73;
    if ((!counted && m > 6) || length == 3) {
        Problem(offset,
                length == 3 && m <= 6 ? "barcode data without terminator in " +
                                            std::to_string(kMaxBarcodeData) + " bytes"
                                      : "unknown barcode type",
                command, 3);
        return;
    }
    const std::uint8_t* first = command + (counted ? 4 : 3);
    const std::uint8_t* last = command + length - (counted ? 0 : 1);
    const BarcodeDrawing& drawing =
        barcodes_.Draw(m, std::vector<std::uint8_t>(first, last), modes_.barcodeHeight,
                       modes_.barcodeModule, modes_.AreaWidth());
    area_.FlushLine();
    if (!drawing.problem.empty()) ProblemNote(offset, drawing.problem);
    if (drawing.bars.isNull()) return;
    const bool above = modes_.hri == HriPosition::Above || modes_.hri == HriPosition::Both;
    const bool below = modes_.hri == HriPosition::Below || modes_.hri == HriPosition::Both;
    if (above) PlaceBarcodeText(drawing.humanReadable);
    area_.PlaceBlock(drawing.bars);
    if (below) PlaceBarcodeText(drawing.humanReadable);
}

void EscPosInterpreter::PlaceBarcodeText(const QString& text) {
    for (const QChar character : text) {
        area_.AddCell(glyphs_.Character(character.unicode(), false, 1, 1, modes_.hriFont));
    }
    area_.PrintLine();
}

// GS ( k pL pH cn fn [parameters]: cn 49 is QR code, 48 PDF417.
void EscPosInterpreter::ExecuteTwoDimensional(const std::uint8_t* command, std::size_t length,
                                              std::size_t offset) {
    if (length < 7) {
        Problem(offset, "2D code command too short", command, length);
        return;
    }
    const int symbol = command[5];
    const int function = command[6];
    const std::uint8_t* parameters = command + 7;
    const std::size_t count = length - 7;
    const int n = count > 0 ? parameters[count - 1] : -1;  // the setting, where there is one
    const auto outOfRange = [&] {
        Problem(offset, "2D code setting out of range", command, std::min<std::size_t>(length, 8));
    };
    const auto place = [&](const SymbolDrawing& drawing) {
        area_.FlushLine();
        if (!drawing.problem.empty()) ProblemNote(offset, drawing.problem);
        if (!drawing.image.isNull()) area_.PlaceBlock(drawing.image);
    };
    if (symbol == 49) {
        switch (function) {
            case 65:  // model: n1 n2
                if (count < 1 || parameters[0] < 49 || parameters[0] > 51) return outOfRange();
                qr_.model = parameters[0];
                return;
            case 67:
                if (n < 1 || n > 16) return outOfRange();
                qr_.moduleDots = n;
                return;
            case 69:
                if (n < 48 || n > 51) return outOfRange();
                qr_.errorLevel = n;
                return;
            case 80:  // m = 48, then the data
                qr_.data.assign(parameters + std::min<std::size_t>(count, 1), parameters + count);
                return;
            case 81:
                return place(DrawQrCode(qr_, modes_.AreaWidth()));
            default:
                break;
        }
    } else if (symbol == 48) {
        switch (function) {
            case 65:
                if (n < 0 || n > 30) return outOfRange();
                pdf417_.columns = n;
                return;
            case 66:
                if (n != 0 && (n < 3 || n > 90)) return outOfRange();
                pdf417_.rows = n;
                return;
            case 67:
                if (n < 2 || n > 8) return outOfRange();
                pdf417_.moduleDots = n;
                return;
            case 68:
                if (n < 2 || n > 8) return outOfRange();
                pdf417_.rowHeight = n;
                return;
            case 69:  // m = 48: level n ('0'..'8'); m = 49: a ratio, which libzint decides
                if (count < 2) return outOfRange();
                pdf417_.errorLevel = parameters[0] == 48 ? parameters[1] - '0' : -1;
                if (pdf417_.errorLevel > 8) return outOfRange();
                return;
            case 70:
                pdf417_.truncated = (n & 1) != 0;
                return;
            case 80:
                pdf417_.data.assign(parameters + std::min<std::size_t>(count, 1),
                                    parameters + count);
                return;
            case 81:
                return place(DrawPdf417(pdf417_, modes_.AreaWidth()));
            default:
                break;
        }
    }
    Problem(offset, "2D code function not supported by this printer", command,
            std::min<std::size_t>(length, 8));
}

}  // namespace vprinter
