#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vprinter {

// Dots packed eight to a byte, most significant bit first, as Grayscale8 (0 a dot, 255
// blank), each dot scaled to scaleX x scaleY.
// Raster: rows top to bottom, (widthDots + 7) / 8 bytes each.
QImage RasterImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX = 1,
                   int scaleY = 1);
// Columns: left to right, (heightDots + 7) / 8 bytes each, top dot first.
QImage ColumnImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX = 1,
                   int scaleY = 1);

// A graphic definition of GS ( L / GS 8 L (functions 67, 68, 83, 84, 112, 113) read from
// its parameters (after m fn); nullopt with `problem` set when the sizes do not match.
struct GraphicDefinition {
    int keyCode = 0;  // kc1 << 8 | kc2 (NV and download graphics)
    int scaleX = 1;   // bx, by (print-buffer graphics)
    int scaleY = 1;
    QImage image;  // the first colour; other colours print as black too
};
std::optional<GraphicDefinition> ReadGraphicDefinition(int function, const std::uint8_t* data,
                                                       std::size_t size, std::string& problem);

}  // namespace vprinter
