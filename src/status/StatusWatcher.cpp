#include "status/StatusWatcher.h"

namespace quillora {

StatusWatcher::StatusWatcher(StatusMonitor& monitor, Changed changed, std::function<void()> first)
    : monitor_(monitor),
      changed_(std::move(changed)),
      worker_([this, first = std::move(first)](std::stop_token stop) {
          if (first) first();
          while (!stop.stop_requested()) {
              const std::vector<Light> changes = monitor_.Step();
              if (!changes.empty()) changed_(monitor_.Reading(), changes);
          }
      }) {}

StatusWatcher::~StatusWatcher() {
    worker_.request_stop();
    worker_.join();
    monitor_.Finish();
}

}  // namespace quillora
