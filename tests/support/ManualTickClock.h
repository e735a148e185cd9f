#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/TickClock.h"

namespace quillora::test {

// A clock that moves only when told: Sleep advances the tick counter by the time asked.
// With sleeps held, each Sleep first waits until the test grants it a step, so a test can
// act while a worker sits in the middle of a pause, whatever the scheduler does. With
// realSleep set, each Sleep also takes that much real time, so a long run does not spin.
class ManualTickClock : public TickClock {
public:
    std::atomic<std::uint32_t> ticks{0};
    std::atomic<std::chrono::microseconds> realSleep{std::chrono::microseconds(0)};
    TimeOfDay timeOfDay{9, 5, 3};

    std::uint32_t TickCount() override { return ticks; }
    void Sleep(std::uint32_t milliseconds) override {
        std::unique_lock lock(mutex_);
        if (held_) {
            waiting_ = true;
            granted_.wait(lock, [this] { return !held_ || steps_ > 0; });
            waiting_ = false;
            if (held_) --steps_;
        }
        lock.unlock();
        std::this_thread::sleep_for(realSleep.load());
        ticks += milliseconds;
    }
    TimeOfDay LocalTime() override { return timeOfDay; }

    void HoldSleeps() {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    void Grant(int steps) {
        std::lock_guard lock(mutex_);
        steps_ += steps;
        granted_.notify_all();
    }
    // Every Sleep from now on passes at once.
    void ReleaseSleeps() {
        std::lock_guard lock(mutex_);
        held_ = false;
        granted_.notify_all();
    }
    // A Sleep is waiting and has no granted step left to take.
    bool WaitingForGrant() {
        std::lock_guard lock(mutex_);
        return waiting_;
    }

private:
    std::mutex mutex_;
    std::condition_variable granted_;
    bool held_ = false;
    bool waiting_ = false;
    int steps_ = 0;
};

}  // namespace quillora::test
