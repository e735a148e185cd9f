#include "monitor/TrafficLog.h"

#include <algorithm>

namespace quillora {

void TrafficLog::Record(const TrafficEvent& event) {
    TrafficEvent copy = event;
    Take(std::move(copy));
}

void TrafficLog::Take(TrafficEvent&& event) {
    // A call larger than the bound keeps its last bytes; the rest is counted as dropped.
    Entry entry;
    const std::size_t room = byteLimit_ > kPerCallCharge ? byteLimit_ - kPerCallCharge : 0;
    if (event.bytes.size() > room) {
        entry.bytesCut = event.bytes.size() - room;
        event.bytes.erase(event.bytes.begin(),
                          event.bytes.begin() + static_cast<std::ptrdiff_t>(entry.bytesCut));
        event.bytes.shrink_to_fit();
    }
    entry.event = std::make_shared<const TrafficEvent>(std::move(event));
    Add(std::move(entry));
}

void TrafficLog::Add(Entry entry) {
    const std::size_t size = entry.event->bytes.size();
    std::lock_guard lock(mutex_);
    droppedBytes_ += entry.bytesCut;
    DropOldestUntilFits(size + kPerCallCharge);
    entry.sequence = next_++;
    charged_ += size + kPerCallCharge;
    keptBytes_ += size;
    entries_.push_back(std::move(entry));
}

void TrafficLog::DropOldestUntilFits(std::size_t charge) {
    while (!entries_.empty() && charged_ + charge > byteLimit_) {
        const std::size_t size = entries_.front().event->bytes.size();
        charged_ -= size + kPerCallCharge;
        keptBytes_ -= size;
        droppedBytes_ += size;
        ++droppedCalls_;
        entries_.pop_front();
    }
}

TrafficLog::Update TrafficLog::Since(std::uint64_t from, std::size_t maxEntries) const {
    std::lock_guard lock(mutex_);
    Update update;
    update.next = next_;
    update.firstKept = entries_.empty() ? next_ : entries_.front().sequence;
    update.droppedCalls = droppedCalls_;
    update.droppedBytes = droppedBytes_;
    // Sequences are consecutive, so the first wanted call is found by subtraction.
    const std::uint64_t start = std::max(from, update.firstKept) - update.firstKept;
    const std::size_t count =
        start < entries_.size() ? std::min(entries_.size() - start, maxEntries) : 0;
    const auto first = entries_.begin() + static_cast<std::ptrdiff_t>(start);
    update.entries.assign(first, first + static_cast<std::ptrdiff_t>(count));
    return update;
}

void TrafficLog::Clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    charged_ = keptBytes_ = 0;
    droppedCalls_ = droppedBytes_ = 0;
}

std::size_t TrafficLog::KeptBytes() const {
    std::lock_guard lock(mutex_);
    return keptBytes_;
}

}  // namespace quillora
