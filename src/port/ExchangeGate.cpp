#include "port/ExchangeGate.h"

namespace quillora {

void ExchangeGate::Enter() {
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return Free(self); });
    if (depth_++ == 0) ++entries_;
    owner_ = self;
}

bool ExchangeGate::TryEnterFor(std::chrono::milliseconds timeout) {
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    if (!freed_.wait_for(lock, timeout, [&] { return Free(self); })) return false;
    if (depth_++ == 0) ++entries_;
    owner_ = self;
    return true;
}

void ExchangeGate::Leave() {
    std::lock_guard lock(mutex_);
    if (depth_ > 0 && --depth_ == 0) {
        owner_ = {};
        freed_.notify_all();
    }
}

std::uint64_t ExchangeGate::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

int ExchangeGate::Release() {
    std::lock_guard lock(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id()) return 0;
    const int depth = depth_;
    depth_ = 0;
    owner_ = {};
    freed_.notify_all();
    return depth;
}

void ExchangeGate::Retake(int depth) {
    if (depth == 0) return;
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return Free(self); });
    ++entries_;
    depth_ = depth;
    owner_ = self;
}

}  // namespace quillora
