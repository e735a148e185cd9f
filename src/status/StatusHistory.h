#pragma once

#include <QString>
#include <deque>

#include "platform/TickClock.h"
#include "status/StatusLights.h"

namespace quillora {

// The last changes of the live status with their times of day, oldest first.
class StatusHistory {
public:
    static constexpr size_t kMaxEntries = 500;

    struct Entry {
        TimeOfDay time;
        QString text;  // "上盖: 打开"
    };

    void Add(const TimeOfDay& time, const std::vector<Light>& changes);
    const std::deque<Entry>& Entries() const { return entries_; }
    // One line per entry, "09:05:03 上盖: 打开", for saving as text.
    QString Text() const;

    static QString TimeText(const TimeOfDay& time);  // hh:mm:ss
    static QString Line(const Entry& entry);

private:
    std::deque<Entry> entries_;
};

}  // namespace quillora
