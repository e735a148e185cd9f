#include "cli/TestRunner.h"

#include <algorithm>
#include <chrono>

#include "cli/CliOptions.h"

namespace quillora::cli {

std::vector<TestResult> RunTests(const std::vector<PreparedTest>& tests, PortDriver& driver,
                                 const PortName& port) {
    std::vector<TestResult> results;
    for (const PreparedTest& test : tests) {
        const auto start = std::chrono::steady_clock::now();
        TestResult result = test.run(driver, port);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        result.name = test.name;
        result.durationMs = took.count();
        results.push_back(std::move(result));
    }
    return results;
}

int ExitStatusOf(const std::vector<TestResult>& results) {
    const bool passed = std::all_of(results.begin(), results.end(), [](const TestResult& result) {
        return result.outcome == Outcome::Ok;
    });
    return passed ? kExitPassed : kExitFailed;
}

}  // namespace quillora::cli
