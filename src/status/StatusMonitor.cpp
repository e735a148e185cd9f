#include "status/StatusMonitor.h"

#include <array>

#include "commands/PortExchange.h"
#include "commands/PrinterQueries.h"
#include "escpos/Commands.h"

namespace quillora {

StatusMonitor::StatusMonitor(PortDriver& ports, ExchangeGate& gate, TickClock& clock, PortName port,
                             StatusMode mode)
    : ports_(ports), gate_(gate), clock_(clock), port_(std::move(port)), mode_(mode) {}

std::vector<Light> StatusMonitor::Step() {
    const StatusReading before = reading_;
    if (reading_.automatic && !OthersUsedTheConnection()) {
        Listen();
    } else if (mode_ == StatusMode::Automatic && !automaticTried_) {
        automaticTried_ = true;
        if (!EnableAutomatic()) Poll();
    } else {
        // Automatic status back that others interrupted resumes after this catch-up.
        const bool automatic = reading_.automatic;
        if (!Poll() || !automatic) clock_.Sleep(kPollIntervalMs);
    }
    // A printer that stopped answering is asked for automatic status back afresh once back.
    if (!reading_.responding) {
        reading_.automatic = false;
        automaticTried_ = false;
    }
    if (std::exchange(first_, false) && !reading_.responding) {
        StatusReading answering = reading_;
        answering.responding = true;
        return ChangesBetween(answering, reading_);
    }
    return ChangesBetween(before, reading_);
}

bool StatusMonitor::Poll() {
    const GateHold hold(gate_);
    const std::optional<PrinterState> state = QueryRealTimeStatus(ports_, port_);
    gateEntriesSeen_ = gate_.Entries();
    reading_.responding = state.has_value();
    if (state) reading_.state = *state;
    return reading_.responding;
}

bool StatusMonitor::EnableAutomatic() {
    const GateHold hold(gate_);
    std::array<std::uint8_t, 4> block{};
    const bool came =
        SendWholeThenRead(ports_, port_, escpos::AutomaticStatusBack(escpos::kAllStatusItems),
                          block.data(), int(block.size())) == int(block.size());
    gateEntriesSeen_ = gate_.Entries();
    const std::optional<PrinterState> state = came ? DecodeAutomaticStatus(block) : std::nullopt;
    if (!state) return false;
    reading_ = {true, true, *state};
    return true;
}

void StatusMonitor::Listen() {
    std::array<std::uint8_t, 4> block{};
    int received = 0;
    {
        const GateHold hold(gate_);
        received = ports_.ReadData(port_, block.data(), int(block.size()));
        gateEntriesSeen_ = gate_.Entries();
    }
    if (received == 4) {
        if (const std::optional<PrinterState> state = DecodeAutomaticStatus(block)) {
            reading_.state = *state;
            return;
        }
    }
    // Silence, part of a block or a stray byte: ask, which also tells whether it is there.
    Poll();
}

bool StatusMonitor::OthersUsedTheConnection() const {
    return gate_.Entries() != gateEntriesSeen_;
}

void StatusMonitor::Finish() {
    if (!reading_.automatic) return;
    const GateHold hold(gate_);
    SendBlock(ports_, port_, escpos::AutomaticStatusBack(0));
    reading_.automatic = false;
}

}  // namespace quillora
