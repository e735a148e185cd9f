#pragma once

#include <cstdint>

namespace quillora {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Time as the continuous test sees it: a 32-bit millisecond tick counter that wraps, a
// sleep, and the local time of day. Tests substitute a clock that they move themselves.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t TickCount() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    virtual TimeOfDay LocalTime() = 0;
};

// Monotonic ticks (immune to wall-clock changes) and the system's local time.
class SystemTickClock final : public TickClock {
public:
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    TimeOfDay LocalTime() override;
};

}  // namespace quillora
