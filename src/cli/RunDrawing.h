#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/PageDrawing.h"

namespace quillora::cli {

// --preview and --port none: keeps the bytes the run's port took, test by test, and after
// the run draws them with the virtual printer's interpreter, as a printer there would
// have printed them.
class RunDrawing final : public RunRecording {
public:
    explicit RunDrawing(PortName port) : port_(std::move(port)) {}

    void Record(const TrafficEvent& event) override;

    std::vector<PreparedTest> Wrap(const std::vector<PreparedTest>& tests) override;

    // Draws the run's bytes: each receipt into `directory` (if given) as the virtual
    // printer names it, and each problem on standard error, naming its test. With
    // `judge`, a test whose bytes hold a command the printer would not carry out (one it
    // would print as a hex mark) has failed; one carried out with a note has not. False when a
    // picture could not be written (said on standard error).
    bool Finish(const std::optional<std::string>& directory, bool judge,
                std::vector<TestResult>& results) override;

private:
    // The index of the test whose bytes hold `offset`.
    std::size_t TestAt(std::size_t offset) const;

    const PortName port_;
    std::mutex mutex_;  // sends may come from a test's worker thread
    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> testStarts_;
};

}  // namespace quillora::cli
