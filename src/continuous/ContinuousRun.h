#pragma once

#include <atomic>
#include <functional>

#include "platform/TickClock.h"

namespace quillora {

// What the worker thread returns when a run is over.
inline constexpr int kContinuousWorkerExitCode = 101118;

// The main window's fields that a run shares with the user-interface thread. Each one is
// read afresh at every use: the stop flag changes while the run goes on.
struct ContinuousRunFields {
    const std::atomic<int>& stopRequested;
    const std::atomic<int>& intervalSeconds;
    const std::atomic<int>& copyCount;
    const std::atomic<int>& printMode;
};

struct ContinuousRunSteps {
    // Prints copy `copyNumber` (from 1) in `printMode` (0 port, otherwise driver).
    std::function<void(int printMode, int copyNumber)> printCopy;
    // Runs once when the run is over, however it ended.
    std::function<void()> end;
};

// The worker's loop: copies numbered from 1 until CopyCount is reached or a stop is
// requested, a pause of IntervalSeconds between the end of one copy and the start of the
// next, polled in 10 ms steps on the clock's 32-bit tick counter. The stop flag is looked
// at before the first copy, before every step of a pause and after it, never during a
// copy. Returns kContinuousWorkerExitCode after `steps.end`.
int RunContinuousPrint(const ContinuousRunFields& fields, TickClock& clock,
                       const ContinuousRunSteps& steps);

}  // namespace quillora
