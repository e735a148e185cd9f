#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vprinter {

// What the printer's sensors report. Set from the command line at start and changed while
// it runs through the control FIFO; every status reply is made from it.
struct SensorState {
    bool coverOpen = false;
    bool paperOut = false;
    bool paperNearEnd = false;
};

// The sensors after one control line: "cover-open", "cover-closed", "paper-out",
// "paper-near-end" or "paper-ok". The paper lines give the roll's state as a whole, as the
// command-line flags do alone: "paper-out" is out and not near end, "paper-near-end" near
// end with paper present. nullopt for any other line.
std::optional<SensorState> ApplyControlLine(SensorState sensors, std::string_view line);

// "cover closed, paper near end", for the log.
std::string Describe(const SensorState& sensors);

// The lines ApplyControlLine knows, for messages: "cover-open, cover-closed, ...".
std::string ControlLines();

}  // namespace vprinter
