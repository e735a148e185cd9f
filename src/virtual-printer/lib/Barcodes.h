#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace vprinter {

// A barcode of GS k as this printer draws it (bars from libzint, never drawn by hand).
struct BarcodeDrawing {
    QImage bars;            // Grayscale8; null when nothing could be drawn
    QString humanReadable;  // the text printed under the bars
    std::string problem;    // why the bars differ from what was asked, or why none; "" if none
};

// The symbology's name for GS k m ("CODE39", "JAN13", ...).
std::string BarcodeName(int m);

// Draws barcode type `m` of GS k with `data`, `heightDots` tall, with modules `moduleDots`
// wide (GS w), or with the widest (3, 2 or 1 dots) that fits `maxWidthDots` when
// `moduleDots` is 0. Too wide with the module asked for, it is drawn narrower and says so.
BarcodeDrawing DrawBarcode(int m, const std::vector<std::uint8_t>& data, int heightDots,
                           int moduleDots, int maxWidthDots);

// The EAN/JAN check digit of `digits` (the data digits, without a check digit).
int EanCheckDigit(const std::string& digits);

}  // namespace vprinter
