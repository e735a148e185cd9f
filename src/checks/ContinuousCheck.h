#pragma once

#include <optional>

#include "checks/CheckHost.h"

namespace quillora {

// The continuous (fatigue) run: the number of copies read, then RunContinuousCheck.
std::optional<ReadyCheck> PrepareContinuous(CheckHost& host);

// Copies until the host's copy count is reached or a stop is requested, each in the print
// mode of the moment: a port-mode copy reads its port, options and text from the host at
// once; a driver-mode copy prints on the default printer. Returns kContinuousWorkerExitCode
// after the host's RunEnded.
int RunContinuousCheck(CheckHost& host);

}  // namespace quillora
