#pragma once

#include <functional>
#include <thread>
#include <vector>

#include "status/StatusMonitor.h"

namespace quillora {

// Runs a StatusMonitor's rounds on a thread of its own until destroyed. `changed` is called
// on that thread with the reading and what changed; a window hands it on to its own thread.
class StatusWatcher {
public:
    using Changed = std::function<void(const StatusReading&, const std::vector<Light>&)>;

    // `first`, when given, runs on the thread before the first round (the printer's
    // information, asked once).
    StatusWatcher(StatusMonitor& monitor, Changed changed, std::function<void()> first = {});
    // Waits for the round under way (at most about two seconds), then turns automatic status
    // back off.
    ~StatusWatcher();
    StatusWatcher(const StatusWatcher&) = delete;
    StatusWatcher& operator=(const StatusWatcher&) = delete;

private:
    StatusMonitor& monitor_;
    Changed changed_;
    std::jthread worker_;  // last: it uses the above
};

}  // namespace quillora
