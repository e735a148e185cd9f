#pragma once

#include <atomic>

#include "platform/TickClock.h"

namespace quillora::test {

// A clock that moves only when told: Sleep advances the tick counter by the time asked.
class ManualTickClock : public TickClock {
public:
    std::atomic<std::uint32_t> ticks{0};
    TimeOfDay timeOfDay{9, 5, 3};

    std::uint32_t TickCount() override { return ticks; }
    void Sleep(std::uint32_t milliseconds) override { ticks += milliseconds; }
    TimeOfDay LocalTime() override { return timeOfDay; }
};

}  // namespace quillora::test
