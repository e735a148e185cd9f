#include "virtual-printer/lib/StatusReplies.h"

#include <cstring>

#include "escpos/ControlCodes.h"
#include "virtual-printer/lib/Journal.h"

namespace vprinter {
namespace {

using quillora::escpos::kDle;
using quillora::escpos::kEot;

// GS a n, bits 0-3: the items of automatic status back, and the bits of the block that
// belong to each. A change in an enabled item's bits sends the block.
struct AsbItem {
    const char* name;
    std::array<std::uint8_t, 4> bits;
};
constexpr std::array<AsbItem, 4> kAsbItems{{
    {"drawer", {0x04, 0x00, 0x00, 0x00}},
    {"online/offline", {0x68, 0x03, 0x00, 0x00}},  // offline, cover, feed button; recovery
    {"error", {0x00, 0x6C, 0x00, 0x00}},
    {"paper roll", {0x00, 0x00, 0x0F, 0x00}},
}};

// GS I 65-69: "_", the text, NUL.
struct PrinterInformation {
    int n;
    const char* name;
    const char* text;
};
constexpr std::array<PrinterInformation, 5> kPrinterInformation{{
    {65, "firmware version", kFirmwareVersion},
    {66, "maker name", kMakerName},
    {67, "model name", kModelName},
    {68, "serial number", kSerialNumber},
    {69, "additional fonts", kAdditionalFonts},
}};

StatusAnswer OneByte(const std::string& what, std::uint8_t byte) {
    return {{byte}, what + " answered " + HexBytes(&byte, 1)};
}

StatusAnswer OutOfRange(const std::string& what) {
    return {{}, what + " out of range", true};
}

StatusAnswer PrinterId(int n) {
    const std::string what = "GS I " + std::to_string(n);
    switch (n) {
        case 1:
        case 49:
            return OneByte(what + " (model ID)", kModelId);
        case 2:
        case 50:
            return OneByte(what + " (type ID)", kTypeId);
        case 3:
        case 51:
            return OneByte(what + " (version ID)", kVersionId);
        default:
            break;
    }
    for (const PrinterInformation& information : kPrinterInformation) {
        if (information.n != n) continue;
        std::vector<std::uint8_t> reply{'_'};
        reply.insert(reply.end(), information.text,
                     information.text + std::strlen(information.text));
        reply.push_back(0x00);
        return {reply, what + " (" + information.name + ") answered \"" + information.text + "\""};
    }
    return OutOfRange("printer ID request");
}

}  // namespace

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

std::optional<std::uint8_t> TransmittedStatus(const SensorState& sensors, int n) {
    switch (n) {
        case 1:
        case 49:
            return static_cast<std::uint8_t>((sensors.paperNearEnd ? 0x03 : 0x00) |
                                             (sensors.paperOut ? 0x0C : 0x00));
        case 2:
        case 50:
            return 0x00;
        default:
            return std::nullopt;
    }
}

std::array<std::uint8_t, 4> AutomaticStatusBlock(const SensorState& sensors) {
    std::uint8_t printer = 0x10;
    if (sensors.coverOpen || sensors.paperOut) printer |= 0x08;
    if (sensors.coverOpen) printer |= 0x20;
    return {printer, 0x00, *TransmittedStatus(sensors, 1), 0x00};
}

StatusAnswer StatusResponder::Answer(const std::uint8_t* command) {
    const int n = command[2];
    if (command[0] == kDle) {
        if (command[1] != kEot || n < 1 || n > 4) return OutOfRange("status query");
        return OneByte("DLE EOT " + std::to_string(n), RealTimeStatus(sensors_, n));
    }
    switch (command[1]) {
        case 'r':
            if (const auto status = TransmittedStatus(sensors_, n)) {
                return OneByte("GS r " + std::to_string(n), *status);
            }
            return OutOfRange("status request");
        case 'I':
            return PrinterId(n);
        case 'a':
            return EnableAutomaticStatus(command[2]);
        default:
            return OutOfRange("status command");
    }
}

StatusAnswer StatusResponder::EnableAutomaticStatus(std::uint8_t n) {
    const std::string what = "GS a " + std::to_string(n) + ": automatic status back ";
    asbItems_ = n & 0x0F;
    if (asbItems_ == 0) return {{}, what + "off"};
    std::string items;
    for (std::size_t i = 0; i < kAsbItems.size(); ++i) {
        if (!(asbItems_ & (1u << i))) continue;
        items += (items.empty() ? "" : ", ") + std::string(kAsbItems[i].name);
    }
    // Enabling sends the whole block at once, whatever has changed.
    lastBlock_ = AutomaticStatusBlock(sensors_);
    return {{lastBlock_.begin(), lastBlock_.end()},
            what + "on (" + items + "), sent " + HexBytes(lastBlock_.data(), lastBlock_.size())};
}

std::optional<std::array<std::uint8_t, 4>> StatusResponder::SensorsChanged() {
    if (asbItems_ == 0) return std::nullopt;
    const std::array<std::uint8_t, 4> block = AutomaticStatusBlock(sensors_);
    bool changed = false;
    for (std::size_t i = 0; i < kAsbItems.size(); ++i) {
        if (!(asbItems_ & (1u << i))) continue;
        for (std::size_t byte = 0; byte < block.size(); ++byte) {
            changed |= ((block[byte] ^ lastBlock_[byte]) & kAsbItems[i].bits[byte]) != 0;
        }
    }
    // The next change is measured from what the sensors say now, sent or not.
    lastBlock_ = block;
    if (!changed) return std::nullopt;
    return block;
}

}  // namespace vprinter
