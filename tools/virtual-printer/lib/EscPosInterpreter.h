#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Barcodes2D.h"
#include "Drawings.h"
#include "LineBuffer.h"
#include "Paper.h"
#include "PrintModes.h"
#include "PrinterMemory.h"
#include "StatusReplies.h"
#include "escpos/EscPosFraming.h"

namespace vprinter {

// One finished piece of paper and the bytes that made it.
struct Receipt {
    Paper paper;                    // what was placed on it; paper.Picture() paints it
    std::vector<std::uint8_t> raw;  // every byte received for it, in order
    std::string endedBy;            // "full cut (GS V 0)", "connection closed", ...
    int problems = 0;               // commands it could not carry out as sent
};

// Where the interpreter's results go: status replies to the connection they came from,
// log lines and finished receipts to whoever keeps them.
class PrinterOutput {
public:
    virtual ~PrinterOutput() = default;
    virtual void Reply(const std::vector<std::uint8_t>& bytes) = 0;
    virtual void Log(const std::string& line) = 0;
    virtual void ReceiptDone(Receipt receipt) = 0;
};

using quillora::escpos::CommandLength;
using quillora::escpos::kMaxBarcodeData;
using quillora::escpos::kNvCapacityBytes;

// Reads a byte stream as the printer does, in pieces of any size: prints onto the paper,
// answers status queries, and hands over a receipt at each cut. Modes (PrintModes) and
// graphics in the print buffer live as long as the interpreter; NV images, NV graphics and
// function switches live in the shared PrinterMemory.
class EscPosInterpreter {
public:
    EscPosInterpreter(PrinterMemory& memory, PrinterOutput& output);
    // Drawing through `drawings`, which may outlive the interpreter: a caller that runs one
    // short stream after another keeps its converters open and its characters, notes and
    // barcodes drawn.
    EscPosInterpreter(PrinterMemory& memory, PrinterOutput& output, Drawings& drawings);

    void Feed(const std::uint8_t* data, std::size_t size);

    // Nothing arrived for a while with the connection still open: whatever has been
    // printed becomes a receipt, unless a command is still waiting for its bytes.
    void Pause();

    // The sender is gone: an incomplete command is reported as truncated, and whatever has
    // been printed becomes a receipt.
    void EndOfStream();

    // The sensors in the shared memory have changed: automatic status back, if enabled.
    void SensorsChanged();
    // The connection closed: automatic status back ends with it.
    void SenderGone() { status_.SenderGone(); }

private:
    void Execute(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteEsc(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteGs(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteFs(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    // Character modes, spacing, positions and code tables (InterpreterText.cpp); false
    // when the command is none of them.
    bool ExecuteEscText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    bool ExecuteGsText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteFsText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void Tab();
    void AddCharacter(char16_t character, bool fullWidth);

    // Barcode settings and 2D codes (InterpreterCodes.cpp).
    bool ExecuteBarcodeSetting(const std::uint8_t* command, std::size_t length,
                               std::size_t offset);
    void ExecuteTwoDimensional(const std::uint8_t* command, std::size_t length,
                               std::size_t offset);
    void PlaceBarcodeText(const QString& text);

    // Raster and stored graphics (InterpreterGraphics.cpp).
    void PrintRaster(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteGraphics(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintGraphic(const QImage& image, int scaleX, int scaleY, std::size_t offset);

    void PrintBitImage(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintBarcode(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void DefineNvImages(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintNvImage(const std::uint8_t* command, std::size_t offset);
    void SetFunctionSwitch(std::uint8_t n, std::size_t offset);
    void AnswerStatus(const std::uint8_t* command, std::size_t offset);

    void AddCell(const QImage& cell);
    void PrintLine(int minimumAdvance = 0);
    void FlushLine();
    void PlaceBlock(const QImage& block);
    // Puts a line or block, `width` x `height` made of `pieces`, on the paper in the print
    // area, upside down when so set.
    void PlaceInArea(std::span<const Piece> pieces, int width, int height, int advance);
    // Reports `lost` rows of dots that fell past the end of the paper, if any.
    void Lost(int lost);
    // Marks a cut on the paper and ends the receipt there.
    void Cut(const std::string& name, std::size_t offset);
    void Event(const std::string& text, std::size_t offset);
    void Problem(std::size_t offset, std::string_view text, const std::uint8_t* bytes,
                 std::size_t length);
    void ProblemNote(std::size_t offset, const std::string& text);
    void PlaceNote(const std::string& text, NoteStyle style);
    void EndReceipt(std::string endedBy);
    void Log(std::size_t offset, std::string_view text);
    // "offset N: " and the parts, as one log line.
    void Log(std::size_t offset, std::initializer_list<std::string_view> parts);

    PrinterMemory& memory_;
    PrinterOutput& output_;
    StatusResponder status_{memory_.sensors};
    Drawings ownDrawings_;  // unused when the caller gives drawings of its own
    GbkDecoder& gbk_;
    CodeTables& codeTables_;
    GlyphCache& glyphs_;
    BarcodeCache& barcodes_;
    Paper paper_;
    LineBuffer line_{Paper::kWidthDots};
    PrintModes modes_;
    QrCode qr_;
    Pdf417Code pdf417_;
    QImage bufferedGraphic_;                 // GS ( L fn 112, printed by fn 50
    std::map<int, QImage> downloadGraphics_;  // GS ( L fn 83 by key code
    std::vector<std::uint8_t> pending_;  // the start of a command still incomplete
    std::vector<std::uint8_t> raw_;      // bytes of the receipt under way
    int problems_ = 0;
    std::string logLine_;  // the log line being built
};

// "1B 2A 00 …": up to `limit` bytes in hex, for logs and marks.
std::string HexBytes(const std::uint8_t* bytes, std::size_t length, std::size_t limit = 8);

}  // namespace vprinter
