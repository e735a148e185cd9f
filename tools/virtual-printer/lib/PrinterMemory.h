#pragma once

#include <QImage>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vprinter {

// Sensor states chosen on the command line; they decide the status replies.
struct SensorState {
    bool coverOpen = false;
    bool paperOut = false;
    bool paperNearEnd = false;
};

// Reply to DLE EOT n (n = 1..4) in the usual bit positions: bits 1 and 4 always set,
// bit 3 offline, bit 2 cover open (n = 2), bit 5 stopped for paper end (n = 2), bits 2-3
// near end and bits 5-6 paper end (n = 4).
std::uint8_t RealTimeStatus(const SensorState& sensors, int n);

// Reply to GS F 01: 0x12 with paper present, 0x32 without.
std::uint8_t PaperTakenStatus(const SensorState& sensors);

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
    std::map<int, QImage> nvGraphics;      // GS ( L NV graphics by key code (kc1 << 8 | kc2)

    static std::string FunctionName(int code);
};

}  // namespace vprinter
