#include "virtual-printer/lib/PrinterMemory.h"

namespace vprinter {

bool NvImage::Dot(int x, int y) const {
    const int bytesPerColumn = heightDots / 8;
    const std::uint8_t byte =
        columns[static_cast<std::size_t>(x) * std::size_t(bytesPerColumn) + std::size_t(y / 8)];
    return (byte >> (7 - y % 8)) & 1;
}

std::string PrinterMemory::FunctionName(int code) {
    switch (code) {
        case 1:
            return "paper near-end detection";
        case 2:
            return "black mark";
        case 3:
            return "cutter";
        case 4:
            return "paper-take sensor";
        default:
            return "function " + std::to_string(code);
    }
}

}  // namespace vprinter
