#pragma once

#include <deque>
#include <string>

#include "platform/TickClock.h"
#include "status/StatusLights.h"

namespace quillora {

// The last changes of the live status with their times of day, oldest first.
class StatusHistory {
public:
    static constexpr size_t kMaxEntries = 500;

    struct Entry {
        TimeOfDay time;
        std::string text;  // "上盖: 打开" (UTF-8)
    };

    void Add(const TimeOfDay& time, const std::vector<Light>& changes);
    const std::deque<Entry>& Entries() const { return entries_; }
    // One line per entry, "09:05:03 上盖: 打开", for saving as text.
    std::string Text() const;

    static std::string TimeText(const TimeOfDay& time);  // hh:mm:ss
    static std::string Line(const Entry& entry);

private:
    std::deque<Entry> entries_;
};

}  // namespace quillora
