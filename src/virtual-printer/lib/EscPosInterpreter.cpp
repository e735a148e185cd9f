#include "virtual-printer/lib/EscPosInterpreter.h"

#include <QString>
#include <algorithm>
#include <cstdio>

#include "virtual-printer/lib/Barcodes.h"
#include "virtual-printer/lib/Glyphs.h"

namespace vprinter {
namespace {

QImage BlankBlock(int width, int height) {
    QImage block(width, height, QImage::Format_Grayscale8);
    block.fill(255);
    return block;
}

std::string FormatByte(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", byte);
    return text;
}

}  // namespace

std::string HexBytes(const std::uint8_t* bytes, std::size_t length, std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < std::min(length, limit); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        if (!text.empty()) text += ' ';
        text += hex;
    }
    if (length > limit) text += " …";
    return text;
}

EscPosInterpreter::EscPosInterpreter(PrinterMemory& memory, PrinterOutput& output)
    : EscPosInterpreter(memory, output, ownDrawings_) {}

EscPosInterpreter::EscPosInterpreter(PrinterMemory& memory, PrinterOutput& output,
                                     Drawings& drawings)
    : memory_(memory),
      output_(output),
      gbk_(drawings.gbk),
      codeTables_(drawings.codeTables),
      glyphs_(drawings.glyphs),
      barcodes_(drawings.barcodes) {}

void EscPosInterpreter::Feed(const std::uint8_t* data, std::size_t size) {
    // The bytes are read where they are, unless a command is still waiting for its end:
    // then from that command's start, joined to them.
    std::vector<std::uint8_t> joined;
    if (!pending_.empty()) {
        joined.swap(pending_);
        joined.insert(joined.end(), data, data + size);
        data = joined.data();
        size = joined.size();
    }
    std::size_t position = 0;
    while (position < size) {
        const std::uint8_t* command = data + position;
        const auto length = CommandLength(command, size - position);
        if (!length) break;
        const std::size_t offset = raw_.size();
        raw_.insert(raw_.end(), command, command + *length);
        Execute(command, *length, offset);
        position += *length;
        if (paper_.Full()) EndReceipt("paper length limit");
    }
    pending_.assign(data + position, data + size);
}

void EscPosInterpreter::Pause() {
    if (!pending_.empty()) return;
    FlushLine();
    if (paper_.Used()) EndReceipt("pause in the data");
}

void EscPosInterpreter::EndOfStream() {
    if (!pending_.empty()) {
        const std::size_t offset = raw_.size();
        raw_.insert(raw_.end(), pending_.begin(), pending_.end());
        Problem(offset,
                "truncated command at the end of the data (" + std::to_string(pending_.size()) +
                    " bytes)",
                pending_.data(), std::min<std::size_t>(pending_.size(), 3));
        pending_.clear();
    }
    FlushLine();
    if (paper_.Used()) {
        EndReceipt("connection closed");
    } else if (!raw_.empty()) {
        output_.Log(std::to_string(raw_.size()) + " bytes received, nothing printed");
        raw_.clear();
        problems_ = 0;
    }
}

void EscPosInterpreter::Execute(const std::uint8_t* command, std::size_t length,
                                std::size_t offset) {
    switch (command[0]) {
        case 0x0A:
            PrintLine();
            return;
        case 0x0D:  // the line is printed at LF; CR before it changes nothing
            return;
        case 0x09:
            Tab();
            return;
        case 0x0C:  // form feed: in standard mode, the line is printed
            PrintLine();
            return;
        case 0x18:  // CAN empties page-mode data; there is none in standard mode
            return;
        case 0x07:  // the buzzer of many models
            Log(offset, "buzzer (BEL)");
            return;
        case 0x10:
            if (length == 3) {
                AnswerStatus(command, offset);
            } else {
                Problem(offset, "unknown command", command, length);
            }
            return;
        case 0x1B:
            ExecuteEsc(command, length, offset);
            return;
        case 0x1C:
            ExecuteFs(command, length, offset);
            return;
        case 0x1D:
            ExecuteGs(command, length, offset);
            return;
        default:
            ExecuteText(command, length, offset);
            return;
    }
}

void EscPosInterpreter::ExecuteText(const std::uint8_t* command, std::size_t length,
                                    std::size_t offset) {
    if (length == 1 && command[0] >= 0x20 && command[0] < 0x7F) {
        AddCharacter(command[0], false);
        return;
    }
    if (length == 2 && modes_.doubleByte) {
        if (const auto character = gbk_.Decode(command[0], command[1])) {
            AddCharacter(*character, true);
            return;
        }
        Problem(offset, "not a GBK character", command, length);
        return;
    }
    if (!modes_.doubleByte && command[0] >= 0x80) {
        // Outside double-byte mode every byte is a character of the selected code table.
        for (std::size_t i = 0; i < length; ++i) {
            if (const auto character = codeTables_.Decode(modes_.codeTable, command[i])) {
                AddCharacter(*character, false);
            } else {
                Problem(offset + i,
                        "not a character of code table " + std::to_string(modes_.codeTable),
                        command + i, 1);
            }
        }
        return;
    }
    Problem(offset, "unknown byte", command, length);
}

void EscPosInterpreter::ExecuteEsc(const std::uint8_t* command, std::size_t length,
                                   std::size_t offset) {
    if (ExecuteEscText(command, length, offset)) return;
    const std::uint8_t n = length > 2 ? command[2] : 0;
    switch (command[1]) {
        case 'a':
            if (n == 0 || n == '0') {
                modes_.justification = Justification::Left;
            } else if (n == 1 || n == '1') {
                modes_.justification = Justification::Centre;
            } else if (n == 2 || n == '2') {
                modes_.justification = Justification::Right;
            } else {
                Problem(offset, "justification out of range", command, length);
            }
            return;
        case 'd':
            FlushLine();
            paper_.Feed(n * modes_.lineSpacing);
            return;
        case 'J':  // print and feed n dots: after a bit image band, ESC J 0 feeds nothing
            if (line_.Empty()) {
                paper_.Feed(n);
            } else {
                PrintLine(n);
            }
            return;
        case 'm':
            Cut("half cut (ESC m)", offset);
            return;
        case 'i':
            Cut("cut (ESC i)", offset);
            return;
        case '9':
        case 'p':
            if (length == 3) {  // ESC p m without its times (see the framing)
                Event("cash drawer pulse: " + HexBytes(command, length) + " (pin " +
                          std::to_string(n) + ", sent without pulse times)",
                      offset);
                return;
            }
            Event("cash drawer pulse: " + HexBytes(command, length) + " (pin " +
                      std::to_string(command[2]) + ", on " + std::to_string(command[3]) + ", off " +
                      std::to_string(command[4]) + ")",
                  offset);
            return;
        case 'B':
            Log(offset, "buzzer: " + HexBytes(command, length));
            return;
        case '*':
            if (length == 3) {
                Problem(offset, "bit image mode out of range", command, length);
            } else {
                PrintBitImage(command, length, offset);
            }
            return;
        case '@':
            line_.Clear();
            modes_ = PrintModes();
            line_.SetCapacity(modes_.AreaWidth());
            qr_ = QrCode();
            pdf417_ = Pdf417Code();
            bufferedGraphic_ = QImage();
            return;
        case '=':  // peripheral selection: this printer is always selected
        case 'c':  // paper sensors and panel keys: nothing to show on paper
        case 'U':  // unidirectional printing
        case 'R':  // international character set: the code table decides here
            return;
        default:
            Problem(offset, "unknown command", command, length);
            return;
    }
}

void EscPosInterpreter::ExecuteGs(const std::uint8_t* command, std::size_t length,
                                  std::size_t offset) {
    if (ExecuteGsText(command, length, offset) || ExecuteBarcodeSetting(command, length, offset)) {
        return;
    }
    switch (command[1]) {
        case 'V': {
            const std::uint8_t m = command[2];
            const bool full = m == 0 || m == 48 || m == 65 || m == 97 || m == 103;
            const bool partial = m == 1 || m == 49 || m == 66 || m == 98 || m == 104;
            if (!full && !partial) {
                Problem(offset, "cut mode out of range", command, length);
                return;
            }
            if (length == 4) {
                FlushLine();
                paper_.Feed(command[3]);
            }
            Cut(std::string(full ? "full" : "partial") + " cut (GS V " + std::to_string(m) + ")",
                offset);
            return;
        }
        case 0x0C: {
            const auto mark = memory_.functionSwitches.find(2);
            const bool on = mark != memory_.functionSwitches.end() && mark->second;
            Event(std::string("feed to the black mark (GS FF)") +
                      (on ? "" : "; black-mark mode is off"),
                  offset);
            return;
        }
        case 'F':
            SetFunctionSwitch(command[2], offset);
            return;
        case 'k':
            PrintBarcode(command, length, offset);
            return;
        case 'v':
            PrintRaster(command, length, offset);
            return;
        case '(':
            if (length > 5 && command[2] == 'k') {
                ExecuteTwoDimensional(command, length, offset);
            } else if (length > 5 && command[2] == 'L') {
                ExecuteGraphics(command, length, offset);
            } else {
                Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            }
            return;
        case '8':
            if (length > 7 && command[2] == 'L') {
                ExecuteGraphics(command, length, offset);
            } else {
                Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            }
            return;
        case 'P':  // motion units: this printer's dot is its unit
        case '|':  // print density
            return;
        case 'r':
        case 'I':
        case 'a':
            AnswerStatus(command, offset);
            return;
        default:
            Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            return;
    }
}

void EscPosInterpreter::ExecuteFs(const std::uint8_t* command, std::size_t length,
                                  std::size_t offset) {
    if (command[1] == 'q') {
        DefineNvImages(command, length, offset);
    } else if (command[1] == 'p') {
        PrintNvImage(command, offset);
    } else {
        ExecuteFsText(command, length, offset);
    }
}

void EscPosInterpreter::PrintBitImage(const std::uint8_t* command, std::size_t length,
                                      std::size_t offset) {
    const int bytesPerColumn = command[2] >= 32 ? 3 : 1;
    const int columns = static_cast<int>((length - 5) / bytesPerColumn);
    if (columns > Paper::kWidthDots) {
        ProblemNote(offset, "bit image of " + std::to_string(columns) +
                                " columns is wider than the paper; cut off at the right edge");
    }
    if (columns == 0) return;
    QImage band = BlankBlock(std::min(columns, Paper::kWidthDots), 8 * bytesPerColumn);
    const std::uint8_t* data = command + 5;
    for (int x = 0; x < band.width(); ++x) {
        for (int y = 0; y < band.height(); ++y) {
            const std::uint8_t byte = data[x * bytesPerColumn + y / 8];
            if ((byte >> (7 - y % 8)) & 1) band.scanLine(y)[x] = 0;
        }
    }
    PlaceBlock(band);
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
    FlushLine();
    if (!drawing.problem.empty()) ProblemNote(offset, drawing.problem);
    if (drawing.bars.isNull()) return;
    const bool above = modes_.hri == HriPosition::Above || modes_.hri == HriPosition::Both;
    const bool below = modes_.hri == HriPosition::Below || modes_.hri == HriPosition::Both;
    if (above) PlaceBarcodeText(drawing.humanReadable);
    PlaceBlock(drawing.bars);
    if (below) PlaceBarcodeText(drawing.humanReadable);
}

void EscPosInterpreter::DefineNvImages(const std::uint8_t* command, std::size_t length,
                                       std::size_t offset) {
    if (length == 3) {
        Problem(offset, "NV image definition with a count or size out of range", command, 3);
        return;
    }
    memory_.nvImages.clear();
    std::size_t position = 3;
    for (int number = 1; number <= command[2]; ++number) {
        NvImage image;
        const int widthBytes = command[position] | (command[position + 1] << 8);
        const int heightBytes = command[position + 2] | (command[position + 3] << 8);
        image.widthDots = widthBytes * 8;
        image.heightDots = heightBytes * 8;
        const std::size_t size = static_cast<std::size_t>(widthBytes) * heightBytes * 8;
        image.columns.assign(command + position + 4, command + position + 4 + size);
        position += 4 + size;
        Log(offset, "NV image " + std::to_string(number) + " defined, " +
                        std::to_string(image.widthDots) + " x " + std::to_string(image.heightDots) +
                        " dots");
        memory_.nvImages[number] = std::move(image);
    }
}

void EscPosInterpreter::PrintNvImage(const std::uint8_t* command, std::size_t offset) {
    const int number = command[2];
    const int mode = command[3];
    const auto found = memory_.nvImages.find(number);
    if ((mode > 3 && (mode < 48 || mode > 51)) || found == memory_.nvImages.end()) {
        ProblemNote(offset, found == memory_.nvImages.end()
                                ? "NV image " + std::to_string(number) + " is not defined"
                                : "NV image print mode " + std::to_string(mode) + " out of range");
        return;
    }
    const NvImage& image = found->second;
    const int scaleX = (mode & 1) ? 2 : 1;
    const int scaleY = (mode & 2) ? 2 : 1;
    QImage block =
        BlankBlock(std::max(1, image.widthDots * scaleX), std::max(1, image.heightDots * scaleY));
    for (int y = 0; y < image.heightDots * scaleY; ++y) {
        uchar* line = block.scanLine(y);
        for (int x = 0; x < image.widthDots * scaleX; ++x) {
            if (image.Dot(x / scaleX, y / scaleY)) line[x] = 0;
        }
    }
    if (block.width() > Paper::kWidthDots) {
        ProblemNote(offset, "NV image wider than the paper; cut off at the right edge");
    }
    PlaceBlock(block);
}

void EscPosInterpreter::SetFunctionSwitch(std::uint8_t n, std::size_t offset) {
    if (n == 0x01) {
        const std::uint8_t reply = PaperTakenStatus(memory_.sensors);
        output_.Reply({reply});
        Log(offset, "GS F 01 paper-taken query answered " + FormatByte(reply));
        return;
    }
    const int code = n >> 4;
    const int state = n & 0x0F;
    if (code < 1 || code > 4 || state > 1) {
        const std::uint8_t command[3] = {0x1D, 'F', n};
        Problem(offset, "function switch parameter out of range", command, 3);
        return;
    }
    memory_.functionSwitches[code] = state == 1;
    Log(offset,
        "function switch: " + PrinterMemory::FunctionName(code) + (state == 1 ? " on" : " off"));
}

void EscPosInterpreter::AnswerStatus(const std::uint8_t* command, std::size_t offset) {
    const StatusAnswer answer = status_.Answer(command);
    if (answer.outOfRange) {
        Problem(offset, answer.log, command, 3);
        return;
    }
    if (!answer.reply.empty()) output_.Reply(answer.reply);
    Log(offset, answer.log);
}

void EscPosInterpreter::SensorsChanged() {
    if (const auto block = status_.SensorsChanged()) {
        output_.Reply({block->begin(), block->end()});
        output_.Log("automatic status back: " + HexBytes(block->data(), block->size()) + " (" +
                    Describe(memory_.sensors) + ")");
    }
}

void EscPosInterpreter::AddCell(const QImage& cell) {
    if (!line_.Fits(cell.width()) && !line_.Empty()) PrintLine();
    line_.Add(cell);
}

void EscPosInterpreter::PrintLine(int minimumAdvance) {
    if (line_.Empty()) {
        paper_.Feed(minimumAdvance > 0 ? minimumAdvance : modes_.lineSpacing);
    } else {
        const Line line = line_.Close();
        PlaceInArea(
            line.cells, line.width, line.height,
            std::max(minimumAdvance > 0 ? minimumAdvance : modes_.lineSpacing, line.height));
        line_.Clear();
    }
    // Margins and print width set during the line count from the next one.
    line_.SetCapacity(modes_.AreaWidth());
}

void EscPosInterpreter::FlushLine() {
    if (!line_.Empty()) PrintLine();
}

void EscPosInterpreter::PlaceBlock(const QImage& block) {
    FlushLine();
    const Piece whole{0, 0, block};
    PlaceInArea(std::span(&whole, 1), block.width(), block.height(), block.height());
}

void EscPosInterpreter::PlaceInArea(std::span<const Piece> pieces, int width, int height,
                                    int advance) {
    const int areaWidth = modes_.AreaWidth();
    if (!modes_.upsideDown) {
        Lost(paper_.Place(pieces, width, height, modes_.justification, advance, modes_.leftMargin,
                          areaWidth));
        return;
    }
    // Upside down, the line turns half a turn within the print area.
    QImage area(areaWidth, height, QImage::Format_Grayscale8);
    area.fill(255);
    Paper::Stamp(area, 0, Compose(pieces, width, height), modes_.justification, 0, areaWidth);
    Lost(paper_.Place(area.mirrored(true, true), Justification::Left, advance, modes_.leftMargin,
                      areaWidth));
}

void EscPosInterpreter::Lost(int lost) {
    if (lost > 0) {
        ++problems_;
        output_.Log(std::to_string(lost) + " rows of dots past the paper length limit were lost");
    }
}

void EscPosInterpreter::Cut(const std::string& name, std::size_t offset) {
    Event(name, offset);
    EndReceipt(name);
}

void EscPosInterpreter::Event(const std::string& text, std::size_t offset) {
    PlaceNote(text, NoteStyle::Event);
    Log(offset, text);
}

void EscPosInterpreter::Problem(std::size_t offset, std::string_view text,
                                const std::uint8_t* bytes, std::size_t length) {
    ++problems_;
    const std::string hex = HexBytes(bytes, length);
    AddCell(glyphs_.HexMark(hex));
    Log(offset, {text, ": ", hex});
}

void EscPosInterpreter::ProblemNote(std::size_t offset, const std::string& text) {
    ++problems_;
    PlaceNote(text, NoteStyle::Problem);
    Log(offset, text);
}

void EscPosInterpreter::PlaceNote(const std::string& text, NoteStyle style) {
    FlushLine();
    const QImage& note = glyphs_.Note(text, style, Paper::kWidthDots);
    Lost(paper_.Place(note, Justification::Left, note.height()));
}

void EscPosInterpreter::EndReceipt(std::string endedBy) {
    FlushLine();
    output_.ReceiptDone(Receipt{std::move(paper_), std::move(raw_), std::move(endedBy), problems_});
    paper_ = Paper();
    raw_.clear();
    problems_ = 0;
}

void EscPosInterpreter::Log(std::size_t offset, std::string_view text) {
    Log(offset, {text});
}

void EscPosInterpreter::Log(std::size_t offset, std::initializer_list<std::string_view> parts) {
    // Built in the same string each time: once it has grown, a line costs no allocation.
    logLine_ = "offset ";
    logLine_ += std::to_string(offset);
    logLine_ += ": ";
    for (const std::string_view part : parts) logLine_ += part;
    output_.Log(logLine_);
}

}  // namespace vprinter
