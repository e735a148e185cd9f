#include "virtual-printer/lib/Graphics.h"

#include <algorithm>

#include "virtual-printer/lib/Paper.h"

namespace vprinter {
namespace {

int Word(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8);
}

QImage Blank(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_Grayscale8);
    image.fill(255);
    return image;
}

}  // namespace

QImage RasterImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX, int scaleY,
                   int maxWidth, int maxHeight) {
    const int width = std::min(widthDots * scaleX, maxWidth);
    QImage image = Blank(width, std::min(heightDots * scaleY, maxHeight));
    const int rowBytes = (widthDots + 7) / 8;
    const int bytesShown = std::min(rowBytes, (width + 8 * scaleX - 1) / (8 * scaleX));
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* row = data + static_cast<std::size_t>(y / scaleY) * rowBytes;
        uchar* line = image.scanLine(y);
        for (int byte = 0; byte < bytesShown; ++byte) {
            const std::uint8_t bits = row[byte];
            if (bits == 0) continue;  // most of a picture is blank paper
            for (int bit = 0; bit < 8 && byte * 8 + bit < widthDots; ++bit) {
                const int x = (byte * 8 + bit) * scaleX;
                if ((bits >> (7 - bit)) & 1 && x < width) {
                    std::fill_n(line + x, std::min(scaleX, width - x), uchar{0});
                }
            }
        }
    }
    return image;
}

QImage ColumnImage(const std::uint8_t* data, int widthDots, int heightDots, int scaleX, int scaleY,
                   int maxWidth, int maxHeight) {
    QImage image =
        Blank(std::min(widthDots * scaleX, maxWidth), std::min(heightDots * scaleY, maxHeight));
    const int columnBytes = (heightDots + 7) / 8;
    for (int y = 0; y < image.height(); ++y) {
        const int dotY = y / scaleY;
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t byte =
                data[static_cast<std::size_t>(x / scaleX) * columnBytes + dotY / 8];
            if ((byte >> (7 - dotY % 8)) & 1) line[x] = 0;
        }
    }
    return image;
}

bool GraphicsStore::Store(GraphicDefinition definition) {
    const GraphicDefinition* replaced = Find(definition.keyCode);
    const std::size_t others = bytes_ - (replaced ? replaced->dataBytes : 0);
    if (definition.dataBytes > capacity_ - others) return false;
    bytes_ = others + definition.dataBytes;
    const int keyCode = definition.keyCode;
    graphics_[keyCode] = std::move(definition);
    return true;
}

const GraphicDefinition* GraphicsStore::Find(int keyCode) const {
    const auto found = graphics_.find(keyCode);
    return found == graphics_.end() ? nullptr : &found->second;
}

void GraphicsStore::Erase(int keyCode) {
    const auto found = graphics_.find(keyCode);
    if (found == graphics_.end()) return;
    bytes_ -= found->second.dataBytes;
    graphics_.erase(found);
}

void GraphicsStore::Clear() {
    graphics_.clear();
    bytes_ = 0;
}

std::optional<GraphicDefinition> ReadGraphicDefinition(int function, const std::uint8_t* data,
                                                       std::size_t size, std::string& problem) {
    // Print buffer (112, 113): a bx by c xL xH yL yH d...
    // NV and download (67, 68, 83, 84): a kc1 kc2 b xL xH yL yH c d...
    const bool buffer = function == 112 || function == 113;
    const bool columns = function == 113 || function == 68 || function == 84;
    const std::size_t header = buffer ? 8 : 9;
    if (size < header) {
        problem = "graphics definition too short";
        return std::nullopt;
    }
    GraphicDefinition definition;
    if (data[0] != 48) {
        problem = "multi-tone graphics are not supported by this printer";
        return std::nullopt;
    }
    if (buffer) {
        definition.scaleX = data[1];
        definition.scaleY = data[2];
        if (definition.scaleX < 1 || definition.scaleX > 2 || definition.scaleY < 1 ||
            definition.scaleY > 2) {
            problem = "graphics scale out of range";
            return std::nullopt;
        }
    } else {
        definition.keyCode = (data[1] << 8) | data[2];
    }
    const int width = Word(data + 4);
    const int height = Word(data + 6);
    const std::size_t bytes = columns ? static_cast<std::size_t>(width) * ((height + 7) / 8)
                                      : static_cast<std::size_t>(height) * ((width + 7) / 8);
    if (width < 1 || height < 1 || size < header + bytes) {
        problem = "graphics size " + std::to_string(width) + " x " + std::to_string(height) +
                  " does not match its " + std::to_string(size - header) + " data bytes";
        return std::nullopt;
    }
    const std::uint8_t* dots = data + header;
    definition.widthDots = width;
    definition.heightDots = height;
    definition.dataBytes = bytes;
    definition.image =
        columns ? ColumnImage(dots, width, height, 1, 1, Paper::kWidthDots, Paper::kMaxHeightDots)
                : RasterImage(dots, width, height, 1, 1, Paper::kWidthDots, Paper::kMaxHeightDots);
    return definition;
}

}  // namespace vprinter
