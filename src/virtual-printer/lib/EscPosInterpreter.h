#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "escpos/EscPosFraming.h"
#include "virtual-printer/lib/Barcodes2D.h"
#include "virtual-printer/lib/Drawings.h"
#include "virtual-printer/lib/Journal.h"
#include "virtual-printer/lib/PrintArea.h"
#include "virtual-printer/lib/PrintModes.h"
#include "virtual-printer/lib/PrinterMemory.h"
#include "virtual-printer/lib/PrinterOutput.h"
#include "virtual-printer/lib/StatusReplies.h"
#include "virtual-printer/lib/Utf8Reader.h"

namespace vprinter {

namespace escpos = quillora::escpos;
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

    // The receipt under way as it would come out if it ended now (its line printed), for
    // a look at it; the interpreter goes on as if nothing had been asked.
    Paper PaperSoFar() const { return area_.PaperSoFar(); }

    // The sensors in the shared memory have changed: automatic status back, if enabled.
    void SensorsChanged();
    // The connection closed: automatic status back ends with it.
    void SenderGone() { status_.SenderGone(); }

private:
    // The command's prefix picks who carries it out (EscPosInterpreter.cpp).
    void Execute(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteFs(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteText(const std::uint8_t* command, std::size_t length, std::size_t offset);

    // Marks on the paper with their log lines: an event noted, a command not carried out
    // (its bytes shown as a hex mark in the line), a problem noted (EscPosInterpreter.cpp).
    void Event(const std::string& text, std::size_t offset);
    void Problem(std::size_t offset, std::string_view text, const std::uint8_t* bytes,
                 std::size_t length);
    void ProblemNote(std::size_t offset, const std::string& text);
    void PlaceNote(const std::string& text, NoteStyle style);
    // Marks a cut on the paper and ends the receipt there.
    void Cut(const std::string& name, std::size_t offset);
    void EndReceipt(std::string endedBy);
    bool HasReceiptToSave() const;

    // ESC and GS commands of the printer itself: justification, feeds, cuts, the drawer,
    // the buzzer, reset, function switches, status (InterpreterControl.cpp).
    void ExecuteEsc(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteGs(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void SetFunctionSwitch(std::uint8_t n, std::size_t offset);
    void AnswerStatus(const std::uint8_t* command, std::size_t offset);

    // Character modes, spacing, positions and code tables (InterpreterText.cpp); false
    // when the command is none of them.
    bool ExecuteEscText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    bool ExecuteGsText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteFsText(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteFsCounted(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void SelectCodeTable(int n, std::size_t offset);
    // A byte of text while FS ( C has selected UTF-8.
    void AddUtf8(std::uint8_t byte, std::size_t offset);
    void Tab();
    void AddCharacter(char16_t character, bool fullWidth);
    // Commands of other printers that are not ESC/POS: skipped whole, with a log line;
    // false when the command is none of them.
    bool SkipForeignCommand(const std::uint8_t* command, std::size_t length, std::size_t offset);

    // Barcodes, their settings and 2D codes (InterpreterCodes.cpp).
    bool ExecuteBarcodeSetting(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteTwoDimensional(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintBarcode(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PlaceBarcodeText(const QString& text);

    // Bit images, raster pictures, NV images and stored graphics (InterpreterGraphics.cpp).
    void PrintBitImage(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintRaster(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void ExecuteGraphics(const std::uint8_t* command, std::size_t length, std::size_t offset);
    // `image` is as much of a picture `widthDots` x `heightDots` as can be on the paper,
    // printed scaled by scaleX x scaleY.
    void PrintGraphic(const QImage& image, int widthDots, int heightDots, int scaleX, int scaleY,
                      std::size_t offset);
    void PrintStoredGraphic(const GraphicsStore& store, const char* kind, const std::uint8_t* data,
                            std::size_t size, std::size_t offset);
    // Keeps `definition` in `store`; false, with a problem noted, when it does not fit.
    bool StoreGraphic(GraphicsStore& store, const char* memoryName, GraphicDefinition definition,
                      std::size_t offset);
    void DefineNvImages(const std::uint8_t* command, std::size_t length, std::size_t offset);
    void PrintNvImage(const std::uint8_t* command, std::size_t offset);

    PrinterMemory& memory_;
    PrinterOutput& output_;
    StatusResponder status_{memory_.sensors};
    Drawings ownDrawings_;  // unused when the caller gives drawings of its own
    GbkDecoder& gbk_;
    CodeTables& codeTables_;
    GlyphCache& glyphs_;
    BarcodeCache& barcodes_;
    PrintModes modes_;
    Journal journal_{output_};
    PrintArea area_{modes_, journal_};
    QrCode qr_;
    Pdf417Code pdf417_;
    std::optional<GraphicDefinition> bufferedGraphic_;  // GS ( L fn 112, printed by fn 50
    // GS ( L fn 83 by key code, in a download graphics memory of 1 MiB.
    GraphicsStore downloadGraphics_{std::size_t{1} << 20};
    Utf8Reader utf8_;
    // The last command was one this printer does not know: the control bytes right after
    // it are its parameters, not more unknown commands to mark.
    bool afterUnknown_ = false;
    bool parameterOfUnknown_ = false;
    int bandHeight_ = 0;  // the ESC * band just placed, until the next command
    // The receipt under way began at a cut: paper only fed on it is not saved.
    bool afterCut_ = false;
    std::vector<std::uint8_t> pending_;  // the start of a command still incomplete
    std::vector<std::uint8_t> raw_;      // bytes of the receipt under way
};

}  // namespace vprinter
