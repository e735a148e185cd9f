#include "cli/StderrTrace.h"

#include <cstdio>

namespace quillora::cli {

void StderrTrace::Record(const TrafficEvent& event) {
    const std::string line = FormatTrafficLine(event) + '\n';
    const std::lock_guard lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace quillora::cli
