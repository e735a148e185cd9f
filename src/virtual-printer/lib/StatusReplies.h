#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "virtual-printer/lib/Sensors.h"

namespace vprinter {

// Every status byte keeps the fixed bits of its kind, so that a host reading a mixed stream
// can tell them apart: real-time status (DLE EOT, GS F 01) and the first byte of automatic
// status back have bit 4 set, the replies to GS r and GS I have bit 4 clear, and no reply
// byte has bit 7 set.

// Reply to DLE EOT n (n = 1..4): bits 1 and 4 always set; n = 1 bit 3 offline; n = 2 bit 2
// cover open, bit 5 stopped for paper end; n = 3 no errors; n = 4 bits 2-3 near end and
// bits 5-6 paper end.
std::uint8_t RealTimeStatus(const SensorState& sensors, int n);

// Reply to GS F 01: 0x12 with paper present, 0x32 without.
std::uint8_t PaperTakenStatus(const SensorState& sensors);

// Reply to GS r n: n = 1 or 49 the paper sensors (bits 0-1 near end, bits 2-3 paper end),
// n = 2 or 50 the drawer kick-out connector (pin 3 low: 0x00). nullopt for other n.
std::optional<std::uint8_t> TransmittedStatus(const SensorState& sensors, int n);

// The four bytes of automatic status back: printer (bit 3 offline, bit 5 cover open),
// errors (none), paper roll (as GS r 1), reserved.
std::array<std::uint8_t, 4> AutomaticStatusBlock(const SensorState& sensors);

// The printer's identity as GS I tells it. The model name is this program's own.
inline constexpr std::uint8_t kModelId = 0x26;
inline constexpr std::uint8_t kTypeId = 0x03;  // multi-byte characters, autocutter
inline constexpr std::uint8_t kVersionId = 0x01;
inline constexpr const char* kFirmwareVersion = "1.00";
inline constexpr const char* kMakerName = "QUILLORA";
inline constexpr const char* kModelName = "QUILLORA VP-80";
inline constexpr const char* kSerialNumber = "VP80-000001";
inline constexpr const char* kAdditionalFonts = "CHINA GB2312";

// What a status command makes the printer do: the bytes to send back (possibly none) and
// the log line, or, when its parameter is out of range, the problem to report.
struct StatusAnswer {
    std::vector<std::uint8_t> reply;
    std::string log;
    bool outOfRange = false;
};

// Answers DLE EOT n, GS r n, GS I n and GS a n from the sensors, and keeps automatic status
// back for one connection: which items the host asked for and what it was told last.
class StatusResponder {
public:
    explicit StatusResponder(const SensorState& sensors) : sensors_(sensors) {}

    // `command` holds the three bytes of one of the four commands.
    StatusAnswer Answer(const std::uint8_t* command);

    // The sensors have changed: the block to send when an item the host enabled changed.
    std::optional<std::array<std::uint8_t, 4>> SensorsChanged();

    // The host that enabled automatic status back has gone; the next one starts without.
    void SenderGone() { asbItems_ = 0; }

private:
    StatusAnswer EnableAutomaticStatus(std::uint8_t n);

    const SensorState& sensors_;
    std::uint8_t asbItems_ = 0;  // GS a n bits 0-3; 0: off
    std::array<std::uint8_t, 4> lastBlock_{};
};

}  // namespace vprinter
