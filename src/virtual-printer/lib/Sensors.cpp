#include "virtual-printer/lib/Sensors.h"

#include <array>

namespace vprinter {
namespace {

// Each line sets either the cover or the paper roll, to the fields of `to`.
struct ControlLine {
    std::string_view name;
    bool setsCover;
    SensorState to;
};
constexpr std::array<ControlLine, 5> kControlLines{{
    {"cover-open", true, {.coverOpen = true}},
    {"cover-closed", true, {}},
    {"paper-out", false, {.paperOut = true}},
    {"paper-near-end", false, {.paperNearEnd = true}},
    {"paper-ok", false, {}},
}};

}  // namespace

std::optional<SensorState> ApplyControlLine(SensorState sensors, std::string_view line) {
    for (const ControlLine& known : kControlLines) {
        if (line != known.name) continue;
        if (known.setsCover) {
            sensors.coverOpen = known.to.coverOpen;
        } else {
            sensors.paperOut = known.to.paperOut;
            sensors.paperNearEnd = known.to.paperNearEnd;
        }
        return sensors;
    }
    return std::nullopt;
}

std::string Describe(const SensorState& sensors) {
    std::string text = sensors.coverOpen ? "cover open" : "cover closed";
    if (sensors.paperOut) text += ", paper out";
    if (sensors.paperNearEnd) text += ", paper near end";
    if (!sensors.paperOut && !sensors.paperNearEnd) text += ", paper ok";
    return text;
}

std::string ControlLines() {
    std::string text;
    for (const auto& entry : kControlLines) {
        if (!text.empty()) text += ", ";
        text += entry.name;
    }
    return text;
}

}  // namespace vprinter
