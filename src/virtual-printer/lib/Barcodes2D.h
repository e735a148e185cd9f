#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vprinter {

// A 2D symbol as drawn from the symbol storage area of GS ( k.
struct SymbolDrawing {
    QImage image;         // Grayscale8; null when nothing could be drawn
    std::string problem;  // why it differs from what was asked, or why none; "" if none
};

// The QR code settings and stored data of GS ( k cn = 49, as after power-on.
struct QrCode {
    int model = 50;       // 49 model 1, 50 model 2, 51 micro QR
    int moduleDots = 3;   // 1..16
    int errorLevel = 48;  // 48 L, 49 M, 50 Q, 51 H
    std::vector<std::uint8_t> data;
};

// The PDF417 settings and stored data of GS ( k cn = 48, as after power-on.
struct Pdf417Code {
    int columns = 0;      // data columns, 0 automatic
    int rows = 0;         // 0 automatic
    int moduleDots = 3;   // 2..8
    int rowHeight = 3;    // in modules, 2..8
    int errorLevel = -1;  // 0..8, or -1 to let the size of the data decide
    bool truncated = false;
    std::vector<std::uint8_t> data;
};

// Both drawn by libzint, never by hand.
SymbolDrawing DrawQrCode(const QrCode& code, int maxWidthDots);
SymbolDrawing DrawPdf417(const Pdf417Code& code, int maxWidthDots);

}  // namespace vprinter
