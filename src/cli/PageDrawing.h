#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/TestResult.h"
#include "port/TrafficEvent.h"

namespace quillora {
class DriverPrinting;
class Spooler;
}  // namespace quillora

namespace quillora::cli {

// --preview and --port none: keeps the bytes a run's port took and draws them afterwards.
class RunRecording : public TrafficSink {
public:
    // The same tests, each noting where its bytes begin.
    virtual std::vector<PreparedTest> Wrap(const std::vector<PreparedTest>& tests) = 0;
    // Draws the run's bytes; false when a picture could not be written (RunDrawing).
    virtual bool Finish(const std::optional<std::string>& directory, bool judge,
                        std::vector<TestResult>& results) = 0;
};

// What draws pages, which only quillora-cli-full links (Qt Gui, Qt PrintSupport, libcups):
// driver printing on the spooler, and the receipts of --preview and --port none.
class PageDrawing {
public:
    virtual ~PageDrawing() = default;

    virtual Spooler& Printers() = 0;
    virtual DriverPrinting& DriverPrints() = 0;
    virtual std::unique_ptr<RunRecording> Recording(const PortName& port) = 0;
};

}  // namespace quillora::cli
