#include "preview/PreviewScheduler.h"

#include <QMetaObject>
#include <algorithm>

namespace quillora {

PreviewScheduler::PreviewScheduler(const TrafficLog& log, QObject* parent)
    : QObject(parent), log_(log), worker_([this] { Work(); }) {}

PreviewScheduler::~PreviewScheduler() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void PreviewScheduler::Request(const PreviewRequest& request) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = request;
    }
    wake_.notify_one();
}

void PreviewScheduler::Work() {
    using Clock = std::chrono::steady_clock;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || waiting_; });
        if (stopping_) return;
        const PreviewRequest request = *std::exchange(waiting_, std::nullopt);
        lock.unlock();
        const auto start = Clock::now();
        PreviewPicture drawn = preview_.Draw(request, log_);
        const auto took = Clock::now() - start;
        // Queued to this object's thread; dropped by Qt if the object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, drawn = std::move(drawn)] { emit Drawn(drawn); }, Qt::QueuedConnection);
        lock.lock();
        const Clock::duration rest = std::max<Clock::duration>(kMinInterval - took, took);
        wake_.wait_for(lock, rest, [&] { return stopping_; });
    }
}

}  // namespace quillora
