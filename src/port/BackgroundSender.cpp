#include "port/BackgroundSender.h"

#include <limits>
#include <utility>

namespace quillora {

int SendSession::Send(const std::uint8_t* data, int length) {
    if (Cancelled()) return 0;
    const int count = ports_.SendData(port_, data, length);
    if (count > 0) taken_ += count;
    return count;
}

BackgroundSender::BackgroundSender(PortDriver& ports)
    : ports_(ports),
      session_(ports, cancel_),
      worker_([this](std::stop_token stop) { Serve(stop); }) {}

BackgroundSender::~BackgroundSender() {
    worker_.request_stop();
    wake_.notify_all();
}

void BackgroundSender::Start(const PortName& port, std::int64_t total, Job job) {
    // The worker is between jobs, so the session is this thread's to set.
    session_.port_ = port;
    session_.taken_ = 0;
    total_ = total;
    cancel_ = false;
    // A connection that takes the whole send at once is done with it in microseconds, less
    // than waking the worker and waiting for it would cost; the same calls are made here.
    if (total <= std::numeric_limits<int>::max() && ports_.TakesAtOnce(port, int(total))) {
        job(session_);
        return;
    }
    std::lock_guard lock(mutex_);
    finished_ = false;
    job_ = std::move(job);
    wake_.notify_one();
}

bool BackgroundSender::WaitFinished(std::chrono::microseconds timeout) {
    if (finished_) return true;  // as after a send made within Start, without the lock
    std::unique_lock lock(mutex_);
    return done_.wait_for(lock, timeout, [this] { return finished_.load(); });
}

void BackgroundSender::Cancel() {
    if (finished_) return;
    cancel_ = true;
    ports_.CancelSend(session_.port_);
}

std::int64_t BackgroundSender::Taken() const {
    // The finished calls first: the running call's count only moves into them after the
    // driver's own counter went back to 0, so nothing is counted twice.
    const std::int64_t done = session_.taken_.load();
    return done + ports_.SendProgress(session_.port_);
}

SendTally BackgroundSender::Result() const {
    const std::int64_t taken = session_.taken_.load();
    return {taken, total_, cancel_.load() && taken < total_};
}

void BackgroundSender::Serve(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!wake_.wait(lock, stop, [this] { return job_ != nullptr; })) return;
        const Job job = std::exchange(job_, nullptr);
        lock.unlock();
        job(session_);
        lock.lock();
        finished_ = true;
        done_.notify_all();
    }
}

}  // namespace quillora
