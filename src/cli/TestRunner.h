#pragma once

#include <vector>

#include "cli/TestResult.h"

namespace quillora::cli {

// Runs the tests in order on `port`, each timed; every test runs whatever the one before
// it gave.
std::vector<TestResult> RunTests(const std::vector<PreparedTest>& tests, PortDriver& driver,
                                 const PortName& port);

// kExitPassed when every result is Ok, otherwise kExitFailed.
int ExitStatusOf(const std::vector<TestResult>& results);

}  // namespace quillora::cli
