#pragma once

#include <cstdint>
#include <vector>

#include "platform/TickClock.h"
#include "port/ExchangeGate.h"
#include "port/PortDriver.h"
#include "status/StatusLights.h"

namespace quillora {

enum class StatusMode {
    Automatic,  // automatic status back (GS a) when the printer sends it, else polling
    Polling,    // DLE EOT 1-4 every half second
};

// The printer's state kept live, without a window: the status window and `quillora-cli
// watch` call Step over and over on a thread of their own. Every exchange passes the gate,
// so it never falls inside another caller's send, and goes through the driver it is given
// (the tracing one, so the traffic monitor shows it).
//
// Polling asks DLE EOT 1-4 every kPollIntervalMs. With automatic status back the printer
// sends a block on each change, which a read waits for; after a second of silence, or when
// others used the connection (the driver then dropped what had come), DLE EOT 1-4 checks the
// printer is there and catches up. A printer that leaves a question unanswered is "not
// responding" at once, so within 2 s of stopping: half a second's pause or a second's wait
// for a block, plus the driver's one second for the reply.
class StatusMonitor {
public:
    static constexpr std::uint32_t kPollIntervalMs = 500;

    StatusMonitor(PortDriver& ports, ExchangeGate& gate, TickClock& clock, PortName port,
                  StatusMode mode);

    // One round of asking or listening; returns what changed (the first round reports the
    // whole picture, or that nothing answers).
    std::vector<Light> Step();
    const StatusReading& Reading() const { return reading_; }
    // Turns automatic status back off again if this turned it on.
    void Finish();

private:
    bool Poll();             // DLE EOT 1-4
    bool EnableAutomatic();  // GS a; true when the first block came
    void Listen();           // one wait for a block
    bool OthersUsedTheConnection() const;

    PortDriver& ports_;
    ExchangeGate& gate_;
    TickClock& clock_;
    const PortName port_;
    const StatusMode mode_;

    StatusReading reading_;
    bool first_ = true;
    bool automaticTried_ = false;
    std::uint64_t gateEntriesSeen_ = 0;
};

}  // namespace quillora
