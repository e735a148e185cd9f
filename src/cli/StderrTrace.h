#pragma once

#include <mutex>

#include "port/TrafficEvent.h"

namespace quillora::cli {

// --trace: every call the tracing driver reports, as one FormatTrafficLine line on
// standard error, written at once so that it interleaves correctly with the results.
class StderrTrace final : public TrafficSink {
public:
    void Record(const TrafficEvent& event) override;

private:
    std::mutex mutex_;
};

}  // namespace quillora::cli
