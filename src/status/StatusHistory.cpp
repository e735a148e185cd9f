#include "status/StatusHistory.h"

namespace quillora {

void StatusHistory::Add(const TimeOfDay& time, const std::vector<Light>& changes) {
    for (const Light& light : changes) {
        entries_.push_back({time, LightLine(light)});
        if (entries_.size() > kMaxEntries) entries_.pop_front();
    }
}

QString StatusHistory::TimeText(const TimeOfDay& time) {
    return QStringLiteral("%1:%2:%3")
        .arg(time.hour, 2, 10, QLatin1Char('0'))
        .arg(time.minute, 2, 10, QLatin1Char('0'))
        .arg(time.second, 2, 10, QLatin1Char('0'));
}

QString StatusHistory::Line(const Entry& entry) {
    return TimeText(entry.time) + QLatin1Char(' ') + entry.text;
}

QString StatusHistory::Text() const {
    QString text;
    for (const Entry& entry : entries_) text += Line(entry) + QLatin1Char('\n');
    return text;
}

}  // namespace quillora
