// Bit images (ESC *), raster pictures (GS v 0), NV images (FS q, FS p) and the graphics
// of GS ( L / GS 8 L: the print buffer, NV graphics (kept in PrinterMemory) and download
// graphics (kept by the interpreter).
#include "virtual-printer/lib/EscPosInterpreter.h"
#include "virtual-printer/lib/Graphics.h"

namespace vprinter {
namespace {

// The key code kc1 kc2 that a stored graphic's functions start with; -1 when it is missing.
int KeyCodeIn(const std::uint8_t* data, std::size_t size) {
    return size >= 2 ? (data[0] << 8) | data[1] : -1;
}

std::string KeyName(int keyCode) {
    const char key[3] = {static_cast<char>(keyCode >> 8), static_cast<char>(keyCode & 0xFF), 0};
    return std::string("\"") + key + "\"";
}

QImage BlankBlock(int width, int height) {
    QImage block(width, height, QImage::Format_Grayscale8);
    block.fill(255);
    return block;
}

}  // namespace

void EscPosInterpreter::PrintBitImage(const std::uint8_t* command, std::size_t length,
                                      std::size_t offset) {
    const int bytesPerColumn = command[2] >= 32 ? 3 : 1;
    const int columns = static_cast<int>((length - 5) / bytesPerColumn);
    if (columns > Paper::kWidthDots) {
        ProblemNote(offset, "bit image of " + std::to_string(columns) +
                                " columns is wider than the paper; cut off at the right edge");
    }
    if (columns == 0) return;
    QImage band = BlankBlock(std::min(columns, Paper::kWidthDots), 8 * bytesPerColumn);
    const std::uint8_t* data = command + 5;
    for (int x = 0; x < band.width(); ++x) {
        for (int y = 0; y < band.height(); ++y) {
            const std::uint8_t byte = data[x * bytesPerColumn + y / 8];
            if ((byte >> (7 - y % 8)) & 1) band.scanLine(y)[x] = 0;
        }
    }
    area_.PlaceBlock(band);
    bandHeight_ = band.height();
}

void EscPosInterpreter::DefineNvImages(const std::uint8_t* command, std::size_t length,
                                       std::size_t offset) {
    if (length == 3) {
        Problem(offset, "NV image definition with a count or size out of range", command, 3);
        return;
    }
    memory_.nvImages.clear();
    std::size_t position = 3;
    for (int number = 1; number <= command[2]; ++number) {
        NvImage image;
        const int widthBytes = command[position] | (command[position + 1] << 8);
        const int heightBytes = command[position + 2] | (command[position + 3] << 8);
        image.widthDots = widthBytes * 8;
        image.heightDots = heightBytes * 8;
        const std::size_t size = static_cast<std::size_t>(widthBytes) * heightBytes * 8;
        image.columns.assign(command + position + 4, command + position + 4 + size);
        position += 4 + size;
        journal_.Log(offset, "NV image " + std::to_string(number) + " defined, " +
                                 std::to_string(image.widthDots) + " x " +
                                 std::to_string(image.heightDots) + " dots");
        memory_.nvImages[number] = std::move(image);
    }
}

void EscPosInterpreter::PrintNvImage(const std::uint8_t* command, std::size_t offset) {
    const int number = command[2];
    const int mode = command[3];
    const auto found = memory_.nvImages.find(number);
    if ((mode > 3 && (mode < 48 || mode > 51)) || found == memory_.nvImages.end()) {
        ProblemNote(offset, found == memory_.nvImages.end()
                                ? "NV image " + std::to_string(number) + " is not defined"
                                : "NV image print mode " + std::to_string(mode) + " out of range");
        return;
    }
    const NvImage& image = found->second;
    const int scaleX = (mode & 1) ? 2 : 1;
    const int scaleY = (mode & 2) ? 2 : 1;
    // Only what lies on the paper is made: the image may be 16368 dots wide when doubled.
    QImage block = BlankBlock(std::clamp(image.widthDots * scaleX, 1, Paper::kWidthDots),
                              std::max(1, image.heightDots * scaleY));
    for (int y = 0; y < image.heightDots * scaleY; ++y) {
        uchar* line = block.scanLine(y);
        for (int x = 0; x < block.width(); ++x) {
            if (image.Dot(x / scaleX, y / scaleY)) line[x] = 0;
        }
    }
    if (image.widthDots * scaleX > Paper::kWidthDots) {
        ProblemNote(offset, "NV image wider than the paper; cut off at the right edge");
    }
    area_.PlaceBlock(block);
}

void EscPosInterpreter::PrintRaster(const std::uint8_t* command, std::size_t length,
                                    std::size_t offset) {
    if (length == 3) {
        Problem(offset, "raster picture with a mode or size out of range", command, 3);
        return;
    }
    const int mode = command[3] >= '0' ? command[3] - '0' : command[3];
    if (mode < 0 || mode > 3) {
        Problem(offset, "raster picture mode out of range", command, 4);
        return;
    }
    const int widthBytes = command[4] | (command[5] << 8);
    const int height = command[6] | (command[7] << 8);
    if (widthBytes == 0 || height == 0) return;
    const int scaleX = (mode & 1) ? 2 : 1;
    const int scaleY = (mode & 2) ? 2 : 1;
    PrintGraphic(RasterImage(command + 8, widthBytes * 8, height, scaleX, scaleY, Paper::kWidthDots,
                             Paper::kMaxHeightDots),
                 widthBytes * 8 * scaleX, height * scaleY, 1, 1, offset);
}

void EscPosInterpreter::PrintGraphic(const QImage& image, int widthDots, int heightDots, int scaleX,
                                     int scaleY, std::size_t offset) {
    const int width = widthDots * scaleX;
    if (width > modes_.AreaWidth()) {
        ProblemNote(offset, "picture of " + std::to_string(width) +
                                " dots is wider than the print area; cut off at the right edge");
    }
    // Only what can be on the paper is scaled, and only that is kept.
    const int keptWidth = std::min(width, Paper::kWidthDots);
    const int keptHeight = std::min(heightDots * scaleY, Paper::kMaxHeightDots);
    QImage block = image;
    if (scaleX != 1 || scaleY != 1) {
        block =
            block.copy(0, 0, (keptWidth + scaleX - 1) / scaleX, (keptHeight + scaleY - 1) / scaleY);
        block = block.scaled(block.width() * scaleX, block.height() * scaleY);
    }
    if (block.width() > keptWidth || block.height() > keptHeight) {
        block = block.copy(0, 0, keptWidth, keptHeight);
    }
    area_.PlaceBlock(block, heightDots * scaleY - block.height());
}

void EscPosInterpreter::PrintStoredGraphic(const GraphicsStore& store, const char* kind,
                                           const std::uint8_t* data, std::size_t size,
                                           std::size_t offset) {
    const int keyCode = KeyCodeIn(data, size);
    const GraphicDefinition* found = store.Find(keyCode);
    if (size < 4 || found == nullptr) {
        ProblemNote(offset, std::string(kind) + " " + KeyName(keyCode) + " is not defined");
        return;
    }
    PrintGraphic(found->image, found->widthDots, found->heightDots, data[2] == 2 ? 2 : 1,
                 data[3] == 2 ? 2 : 1, offset);
}

bool EscPosInterpreter::StoreGraphic(GraphicsStore& store, const char* memoryName,
                                     GraphicDefinition definition, std::size_t offset) {
    const int keyCode = definition.keyCode;
    const std::size_t bytes = definition.dataBytes;
    if (store.Store(std::move(definition))) return true;
    ProblemNote(offset, "graphics " + KeyName(keyCode) + " of " + std::to_string(bytes) +
                            " bytes do not fit in the " + std::to_string(store.Capacity()) +
                            " bytes of " + memoryName + "; not stored");
    return false;
}

void EscPosInterpreter::ExecuteGraphics(const std::uint8_t* command, std::size_t length,
                                        std::size_t offset) {
    const std::size_t start = command[1] == '8' ? 7 : 5;  // GS 8 L has a 32-bit count
    const std::uint8_t* parameters = command + start;
    const std::size_t count = length - start;
    if (count < 2) {
        Problem(offset, "graphics command too short", command, length);
        return;
    }
    const int function = parameters[1];
    const std::uint8_t* data = parameters + 2;
    const std::size_t size = count - 2;
    std::string problem;
    switch (function) {
        case 49:  // reference dot density: this printer has one
            return;
        case 50:
            if (!bufferedGraphic_) {
                ProblemNote(offset, "no graphics in the print buffer to print");
            } else {
                PrintGraphic(bufferedGraphic_->image, bufferedGraphic_->widthDots,
                             bufferedGraphic_->heightDots, bufferedGraphic_->scaleX,
                             bufferedGraphic_->scaleY, offset);
                bufferedGraphic_.reset();
            }
            return;
        case 65:
            memory_.nvGraphics.Clear();
            journal_.Log(offset, "NV graphics deleted");
            return;
        case 66:
            memory_.nvGraphics.Erase(KeyCodeIn(data, size));
            return;
        case 69:
            PrintStoredGraphic(memory_.nvGraphics, "NV graphics", data, size, offset);
            return;
        case 85:
            PrintStoredGraphic(downloadGraphics_, "download graphics", data, size, offset);
            return;
        case 67:
        case 68:
        case 83:
        case 84:
        case 112:
        case 113:
            break;
        default:
            Problem(offset, "graphics function not supported by this printer", command,
                    std::min<std::size_t>(length, start + 2));
            return;
    }
    const auto definition = ReadGraphicDefinition(function, data, size, problem);
    if (!definition) {
        ProblemNote(offset, problem);
        return;
    }
    if (function == 112 || function == 113) {
        bufferedGraphic_ = std::move(definition);
    } else if (function == 67 || function == 68) {
        const int keyCode = definition->keyCode;
        if (StoreGraphic(memory_.nvGraphics, "NV graphics memory", std::move(*definition),
                         offset)) {
            journal_.Log(offset, "NV graphics " + KeyName(keyCode) + " defined");
        }
    } else {
        StoreGraphic(downloadGraphics_, "download graphics memory", std::move(*definition), offset);
    }
}

}  // namespace vprinter
