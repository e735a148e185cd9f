#pragma once

#include <vector>

#include "virtual-printer/lib/Paper.h"
#include "virtual-printer/lib/TextStyle.h"

namespace vprinter {

// Where barcodes' human-readable text goes (GS H).
enum class HriPosition { None = 0, Above = 1, Below = 2, Both = 3 };

// Every setting a stream can change, as after power-on; ESC @ brings them all back.
struct PrintModes {
    static constexpr int kDefaultLineSpacing = 30;  // dots
    static constexpr int kDefaultBarcodeHeight = 162;

    TextStyle style;
    Justification justification = Justification::Left;
    bool upsideDown = false;                // ESC {
    bool doubleByte = true;                 // FS & / FS .: this model starts in GBK mode
    int codeTable = 0;                      // ESC t, for single-byte characters from 0x80 up
    int nationalSet = 0;                    // ESC R, for a dozen of ASCII's characters
    bool utf8 = false;                      // FS ( C: text is UTF-8
    int lineSpacing = kDefaultLineSpacing;  // ESC 2 / ESC 3
    int leftMargin = 0;                     // GS L, dots
    int printWidth = Paper::kWidthDots;     // GS W, dots
    // ESC D tab stops in character columns; power-on stops are every 8 columns.
    std::vector<int> tabStops = {8,   16,  24,  32,  40,  48,  56,  64,  72,  80,  88,
                                 96,  104, 112, 120, 128, 136, 144, 152, 160, 168, 176,
                                 184, 192, 200, 208, 216, 224, 232, 240, 248, 255};
    // Barcodes: GS h, GS w (0: the widest module up to 3 dots that fits), GS H, GS f.
    int barcodeHeight = kDefaultBarcodeHeight;
    int barcodeModule = 0;
    HriPosition hri = HriPosition::Below;  // this model prints the text under the bars
    CellFont hriFont = CellFont::A;

    // Width of the area lines and blocks are placed in.
    int AreaWidth() const {
        return std::max(1, std::min(printWidth, Paper::kWidthDots - leftMargin));
    }
};

}  // namespace vprinter
