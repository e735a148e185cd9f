#pragma once

#include <functional>
#include <optional>
#include <string>

#include "checks/CheckHost.h"
#include "commands/StatusDecoding.h"
#include "port/PortDriver.h"

namespace quillora::cli {

using Outcome = CheckOutcome;

// How one test went.
struct TestResult {
    std::string name;  // as given on the command line, read as UTF-8
    Outcome outcome = Outcome::Ok;
    SendTally tally;
    std::string reply;  // the bytes the printer answered
    std::optional<StatusFields> status;
    std::string message;  // UTF-8: what the window would show, or "sent N of M bytes"
    double durationMs = 0;
};

// A test whose input has been read and checked: running it only sends.
struct PreparedTest {
    std::string name;
    std::function<TestResult(PortDriver& driver, const PortName& port)> run;
};

}  // namespace quillora::cli
