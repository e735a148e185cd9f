#include "PrinterMemory.h"

namespace vprinter {

std::uint8_t RealTimeStatus(const SensorState& sensors, int n) {
    std::uint8_t status = 0x12;
    switch (n) {
        case 1:
            if (sensors.coverOpen || sensors.paperOut) status |= 0x08;
            break;
        case 2:
            if (sensors.coverOpen) status |= 0x04;
            if (sensors.paperOut) status |= 0x20;
            break;
        case 4:
            if (sensors.paperNearEnd) status |= 0x0C;
            if (sensors.paperOut) status |= 0x60;
            break;
        default:
            break;
    }
    return status;
}

std::uint8_t PaperTakenStatus(const SensorState& sensors) {
    return sensors.paperOut ? 0x32 : 0x12;
}

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
