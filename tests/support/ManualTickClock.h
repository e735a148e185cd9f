#pragma once

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/TickClock.h"

namespace quillora::test {

// A clock that moves only when told: Sleep advances the tick counter by the time asked.
// With realSleep set, each Sleep also takes that much real time, so that a test can act
// while a worker is in the middle of a long pause.
class ManualTickClock : public TickClock {
public:
    std::atomic<std::uint32_t> ticks{0};
    TimeOfDay timeOfDay{9, 5, 3};
    std::atomic<std::chrono::microseconds> realSleep{std::chrono::microseconds(0)};

    std::uint32_t TickCount() override { return ticks; }
    void Sleep(std::uint32_t milliseconds) override {
        ticks += milliseconds;
        std::this_thread::sleep_for(realSleep.load());
    }
    TimeOfDay LocalTime() override { return timeOfDay; }
};

}  // namespace quillora::test
