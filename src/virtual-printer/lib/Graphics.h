#pragma once

#include <QImage>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace vprinter {

// Dots packed eight to a byte, most significant bit first, as Grayscale8 (0 a dot, 255
// blank), each dot scaled to scaleX x scaleY. Only the top left maxWidth x maxHeight dots of
// the scaled picture are made: what lies past the paper's edge or its length never prints,
// and a picture of garbage sizes would otherwise take gigabytes.
// Raster: rows top to bottom, (widthDots + 7) / 8 bytes each.
QImage RasterImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX = 1,
                   int scaleY = 1, int maxWidth = INT_MAX, int maxHeight = INT_MAX);
// Columns: left to right, (heightDots + 7) / 8 bytes each, top dot first.
QImage ColumnImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX = 1,
                   int scaleY = 1, int maxWidth = INT_MAX, int maxHeight = INT_MAX);

// A graphic definition of GS ( L / GS 8 L (functions 67, 68, 83, 84, 112, 113) read from
// its parameters (after m fn); nullopt with `problem` set when the sizes do not match.
struct GraphicDefinition {
    int keyCode = 0;  // kc1 << 8 | kc2 (NV and download graphics)
    int scaleX = 1;   // bx, by (print-buffer graphics)
    int scaleY = 1;
    int widthDots = 0;  // the picture's size as defined
    int heightDots = 0;
    std::size_t dataBytes = 0;  // its dot bytes, as the printer's memory holds them
    // The first colour, as much of it as can be on the paper (at most the paper's width by
    // its length limit); other colours print as black too.
    QImage image;
};
// Graphics kept by key code in a memory of fixed size, as the printer's NV graphics and
// download graphics areas are: a definition that does not fit beside the others is refused.
// Key codes are two bytes, so the count is bounded too.
class GraphicsStore {
public:
    explicit GraphicsStore(std::size_t capacityBytes) : capacity_(capacityBytes) {}

    // Keeps `definition` in place of any under its key; false (nothing changes) when its
    // data would not fit.
    bool Store(GraphicDefinition definition);
    // nullptr when nothing is kept under `keyCode`.
    const GraphicDefinition* Find(int keyCode) const;
    void Erase(int keyCode);
    void Clear();
    std::size_t Capacity() const { return capacity_; }
    // The data bytes of what is kept.
    std::size_t Bytes() const { return bytes_; }

private:
    std::size_t capacity_;
    std::size_t bytes_ = 0;
    std::map<int, GraphicDefinition> graphics_;
};

std::optional<GraphicDefinition> ReadGraphicDefinition(int function, const std::uint8_t* data,
                                                       std::size_t size, std::string& problem);

}  // namespace vprinter
