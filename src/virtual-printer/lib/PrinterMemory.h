#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "virtual-printer/lib/Graphics.h"
#include "virtual-printer/lib/Sensors.h"

namespace vprinter {

// A stored NV bit image: `columns` holds, for each dot column left to right, heightDots/8
// bytes top to bottom, bit 7 the upper dot.
struct NvImage {
    int widthDots = 0;
    int heightDots = 0;
    std::vector<std::uint8_t> columns;

    bool Dot(int x, int y) const;
};

// What the printer keeps for the life of the process, whichever connection it came from.
struct PrinterMemory {
    SensorState sensors;
    std::map<int, NvImage> nvImages;       // by image number, from 1
    std::map<int, bool> functionSwitches;  // GS F function code -> on
    // GS ( L NV graphics by key code (kc1 << 8 | kc2), in an NV graphics memory of 1 MiB.
    GraphicsStore nvGraphics{std::size_t{1} << 20};

    static std::string FunctionName(int code);
};

}  // namespace vprinter
