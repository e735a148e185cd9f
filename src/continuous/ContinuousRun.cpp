#include "continuous/ContinuousRun.h"

#include <cstdint>

namespace quillora {
namespace {

constexpr std::uint32_t kPollMilliseconds = 10;

bool Stopped(const ContinuousRunFields& fields) {
    return fields.stopRequested.load() != 0;
}

// The interval in milliseconds, in 64 bits: a value that failed validation stays in the
// field and may be far beyond the valid range.
std::int64_t IntervalMilliseconds(const ContinuousRunFields& fields) {
    return std::int64_t{fields.intervalSeconds.load()} * 1000;
}

// Waits out one pause; false when a stop was requested during it.
bool Pause(const ContinuousRunFields& fields, TickClock& clock) {
    const std::uint32_t start = clock.TickCount();
    if (IntervalMilliseconds(fields) <= 0) return true;
    do {
        if (Stopped(fields)) return false;
        clock.Sleep(kPollMilliseconds);
        // The counter wraps every 49.7 days; the difference taken as signed survives that.
    } while (static_cast<std::int32_t>(clock.TickCount() - start) < IntervalMilliseconds(fields));
    return true;
}

void PrintCopies(const ContinuousRunFields& fields, TickClock& clock,
                 const ContinuousRunSteps& steps) {
    if (Stopped(fields)) return;
    for (int copyNumber = 1;; ++copyNumber) {
        steps.printCopy(fields.printMode.load(), copyNumber);
        if (copyNumber >= fields.copyCount.load()) return;
        if (!Pause(fields, clock) || Stopped(fields)) return;
    }
}

}  // namespace

int RunContinuousPrint(const ContinuousRunFields& fields, TickClock& clock,
                       const ContinuousRunSteps& steps) {
    PrintCopies(fields, clock, steps);
    steps.end();
    return kContinuousWorkerExitCode;
}

}  // namespace quillora
