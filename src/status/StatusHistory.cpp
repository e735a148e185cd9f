#include "status/StatusHistory.h"

#include <cstdio>

namespace quillora {

void StatusHistory::Add(const TimeOfDay& time, const std::vector<Light>& changes) {
    for (const Light& light : changes) {
        entries_.push_back({time, LightLine(light)});
        if (entries_.size() > kMaxEntries) entries_.pop_front();
    }
}

std::string StatusHistory::TimeText(const TimeOfDay& time) {
    char text[36];  // room for any int, though a clock's are two digits
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

std::string StatusHistory::Line(const Entry& entry) {
    return TimeText(entry.time) + ' ' + entry.text;
}

std::string StatusHistory::Text() const {
    std::string text;
    for (const Entry& entry : entries_) text += Line(entry) + '\n';
    return text;
}

}  // namespace quillora
