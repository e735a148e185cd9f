// ESC and GS commands of the printer itself: justification, feeds, cuts, the cash drawer,
// the buzzer, reset, function switches and status queries.
#include <algorithm>
#include <cstdio>

#include "escpos/ControlCodes.h"
#include "virtual-printer/lib/EscPosInterpreter.h"

namespace vprinter {
namespace {

std::string FormatByte(std::uint8_t byte) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", byte);
    return text;
}

}  // namespace

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
            area_.FlushLine();
            area_.Feed(n * modes_.lineSpacing);
            return;
        case 'J':  // print and feed n dots: after a bit image band, ESC J 0 feeds nothing
            if (area_.Line().Empty()) {
                area_.Feed(n);
            } else {
                area_.PrintLine(n);
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
            journal_.Log(offset, "buzzer: " + HexBytes(command, length));
            return;
        case '*':
            if (length == 3) {
                Problem(offset, "bit image mode out of range", command, length);
            } else {
                PrintBitImage(command, length, offset);
            }
            return;
        case '@':
            modes_ = PrintModes();
            area_.ResetLine();
            qr_ = QrCode();
            pdf417_ = Pdf417Code();
            bufferedGraphic_.reset();
            return;
        case '=':  // peripheral selection: this printer is always selected
        case 'c':  // paper sensors and panel keys: nothing to show on paper
        case 'U':  // unidirectional printing
            return;
        default:
            if (SkipForeignCommand(command, length, offset)) return;
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
                area_.FlushLine();
                area_.Feed(command[3]);
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
            if (SkipForeignCommand(command, length, offset)) return;
            Problem(offset, "unknown command", command, std::min<std::size_t>(length, 3));
            return;
    }
}

bool EscPosInterpreter::SkipForeignCommand(const std::uint8_t* command, std::size_t length,
                                           std::size_t offset) {
    const char* name = nullptr;
    if (command[0] == escpos::kEsc && (command[1] == '4' || command[1] == '5')) {
        name = "italic (ESC 4 / ESC 5) of clone printers";
    } else if (command[0] == escpos::kEsc && command[1] == 'Z') {
        name = "QR code (ESC Z) of clone printers";
    } else if (command[0] == escpos::kGs && command[1] == 'x') {
        name = "GS x of clone printers";
    } else if (command[0] == escpos::kGs && command[1] == 'Z') {
        name = "2D code type (GS Z) of clone printers";
    } else {
        return false;
    }
    journal_.Log(offset, {name, " is not ESC/POS; a strict ESC/POS printer does not know it: ",
                          HexBytes(command, length), " skipped"});
    return true;
}

void EscPosInterpreter::SetFunctionSwitch(std::uint8_t n, std::size_t offset) {
    if (n == 0x01) {
        const std::uint8_t reply = PaperTakenStatus(memory_.sensors);
        output_.Reply({reply});
        journal_.Log(offset, "GS F 01 paper-taken query answered " + FormatByte(reply));
        return;
    }
    const int code = n >> 4;
    const int state = n & 0x0F;
    if (code < 1 || code > 4 || state > 1) {
        const std::uint8_t command[3] = {escpos::kGs, 'F', n};
        Problem(offset, "function switch parameter out of range", command, 3);
        return;
    }
    memory_.functionSwitches[code] = state == 1;
    journal_.Log(offset, "function switch: " + PrinterMemory::FunctionName(code) +
                             (state == 1 ? " on" : " off"));
}

void EscPosInterpreter::AnswerStatus(const std::uint8_t* command, std::size_t offset) {
    const StatusAnswer answer = status_.Answer(command);
    if (answer.outOfRange) {
        Problem(offset, answer.log, command, 3);
        return;
    }
    if (!answer.reply.empty()) output_.Reply(answer.reply);
    journal_.Log(offset, answer.log);
}

void EscPosInterpreter::SensorsChanged() {
    if (const auto block = status_.SensorsChanged()) {
        output_.Reply({block->begin(), block->end()});
        journal_.Line("automatic status back: " + HexBytes(block->data(), block->size()) + " (" +
                      Describe(memory_.sensors) + ")");
    }
}

}  // namespace vprinter
