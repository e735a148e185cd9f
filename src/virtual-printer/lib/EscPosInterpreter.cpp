// The interpreter's reading of the stream: commands cut from the bytes as they come, each
// handed to its part by its prefix, and the receipt ended at a cut, a pause or the end.
#include "virtual-printer/lib/EscPosInterpreter.h"

#include <algorithm>
#include <utility>

#include "escpos/ControlCodes.h"

namespace vprinter {

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
        if (area_.Full()) EndReceipt("paper length limit");
        if (raw_.size() >= kMaxReceiptBytes) EndReceipt("receipt size limit");
    }
    pending_.assign(data + position, data + size);
}

void EscPosInterpreter::Pause() {
    journal_.Flush();
    if (!pending_.empty()) return;
    area_.FlushLine();
    if (HasReceiptToSave()) EndReceipt("pause in the data");
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
    area_.FlushLine();
    if (HasReceiptToSave()) {
        EndReceipt("connection closed");
    } else if (!raw_.empty()) {
        journal_.Line(std::to_string(raw_.size()) + " bytes received, nothing printed");
        raw_.clear();
        journal_.TakeProblems();  // they were logged; there is no receipt to count them on
    }
}

void EscPosInterpreter::Execute(const std::uint8_t* command, std::size_t length,
                                std::size_t offset) {
    parameterOfUnknown_ = std::exchange(afterUnknown_, false);
    const int band = std::exchange(bandHeight_, 0);
    switch (command[0]) {
        case 0x00:  // NUL between commands: printers ignore it
            return;
        case 0x0A:
            // A bit image band is the line a printer prints at this LF: the line spacing
            // counts from the band's top.
            if (band > 0 && area_.Line().Empty()) {
                area_.Feed(std::max(0, modes_.lineSpacing - band));
                return;
            }
            area_.PrintLine();
            return;
        case 0x0D:  // the line is printed at LF; CR before it changes nothing
            return;
        case 0x09:
            Tab();
            return;
        case 0x0C:  // form feed: in standard mode, the line is printed
            area_.PrintLine();
            return;
        case 0x18:  // CAN empties page-mode data; there is none in standard mode
            return;
        case 0x07:  // the buzzer of many models
            journal_.Log(offset, "buzzer (BEL)");
            return;
        case escpos::kDle:
            if (length == 3) {
                AnswerStatus(command, offset);
            } else {
                Problem(offset, "unknown command", command, length);
            }
            return;
        case escpos::kEsc:
            ExecuteEsc(command, length, offset);
            return;
        case escpos::kFs:
            ExecuteFs(command, length, offset);
            return;
        case escpos::kGs:
            ExecuteGs(command, length, offset);
            return;
        default:
            ExecuteText(command, length, offset);
            return;
    }
}

void EscPosInterpreter::ExecuteText(const std::uint8_t* command, std::size_t length,
                                    std::size_t offset) {
    if (modes_.utf8) {
        for (std::size_t i = 0; i < length; ++i) AddUtf8(command[i], offset + i);
        return;
    }
    if (length == 1 && command[0] >= 0x20 && command[0] < 0x7F) {
        AddCharacter(CodeTables::National(modes_.nationalSet, command[0]), false);
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
    if (parameterOfUnknown_ && command[0] < 0x20) {
        afterUnknown_ = true;
        journal_.Log(offset, {"parameter of the unknown command before it, skipped: ",
                              HexBytes(command, length)});
        return;
    }
    Problem(offset, "unknown byte", command, length);
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

void EscPosInterpreter::Cut(const std::string& name, std::size_t offset) {
    Event(name, offset);
    EndReceipt(name);
    afterCut_ = true;
}

bool EscPosInterpreter::HasReceiptToSave() const {
    // Paper only fed after a cut (ESC @ LF behind it, say) is no receipt: the feed carries
    // into the next one. Paper fed with no cut before it is what a feed test shows.
    return area_.Printed() || (area_.Used() && !afterCut_);
}

void EscPosInterpreter::Event(const std::string& text, std::size_t offset) {
    PlaceNote(text, NoteStyle::Event);
    journal_.Log(offset, text);
}

void EscPosInterpreter::Problem(std::size_t offset, std::string_view text,
                                const std::uint8_t* bytes, std::size_t length) {
    journal_.CountProblem();
    afterUnknown_ = text == "unknown command";
    // The journal keeps the bytes, not their hex: past the marks' bound, a run of problems
    // costs no formatting unless someone listens.
    const bool mark = journal_.MayMark();
    const bool heard = output_.ListensForProblems();
    const std::string hex = mark || heard ? HexBytes(bytes, length) : std::string();
    if (mark) area_.AddCell(glyphs_.HexMark(hex));
    journal_.LogProblem(offset, text, bytes, length);
    if (heard) output_.ProblemFound(offset, std::string(text) + ": " + hex, false);
}

void EscPosInterpreter::ProblemNote(std::size_t offset, const std::string& text) {
    journal_.CountProblem();
    if (journal_.MayMark()) PlaceNote(text, NoteStyle::Problem);
    journal_.Log(offset, text);
    output_.ProblemFound(offset, text, true);
}

void EscPosInterpreter::PlaceNote(const std::string& text, NoteStyle style) {
    area_.PlaceNote(glyphs_.Note(text, style, Paper::kWidthDots));
}

void EscPosInterpreter::EndReceipt(std::string endedBy) {
    afterCut_ = false;
    // The paper first: printing the last line may lose rows, which count as problems.
    Paper paper = area_.TakePaper();
    output_.ReceiptDone(
        Receipt{std::move(paper), std::move(raw_), std::move(endedBy), journal_.TakeProblems()});
    raw_.clear();
}

}  // namespace vprinter
