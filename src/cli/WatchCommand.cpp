#include "cli/WatchCommand.h"

#include <cstdio>
#include <string>

#include "cli/JsonText.h"
#include "status/StatusHistory.h"
#include "status/StatusMonitor.h"

namespace quillora::cli {
namespace {

std::string ChangeLine(const CliOptions& options, const TimeOfDay& time, const Light& light) {
    if (!options.json) return StatusHistory::Line({time, LightLine(light)}) + '\n';
    const json::Object object{{"time", StatusHistory::TimeText(time)},
                              {"key", light.key},
                              {"name", light.name},
                              {"value", light.value}};
    return json::Write(object, json::Layout::Compact) + '\n';
}

}  // namespace

int Watch(const CliOptions& options, PortDriver& driver, const PortName& port) {
    SystemTickClock clock;
    ExchangeGate gate;  // this program's only caller, but the monitor passes it all the same
    StatusMonitor monitor(driver, gate, clock, port,
                          options.poll ? StatusMode::Polling : StatusMode::Automatic);
    const std::uint32_t start = clock.TickCount();
    const auto over = [&] {
        return options.watchSeconds &&
               clock.TickCount() - start >= std::uint32_t(*options.watchSeconds) * 1000u;
    };
    int status = kExitPassed;
    while (!over()) {
        const std::vector<Light> changes = monitor.Step();
        const TimeOfDay now = clock.LocalTime();
        for (const Light& light : changes) {
            const std::string line = ChangeLine(options, now, light);
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        std::fflush(stdout);
        if (!monitor.Reading().responding) {
            status = kExitFailed;
            break;
        }
    }
    monitor.Finish();
    return status;
}

}  // namespace quillora::cli
