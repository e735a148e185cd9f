#include "monitor/TrafficLog.h"

#include <algorithm>
#include <thread>

namespace quillora {
namespace {

// How many times a copy yields between two holds while appends wait.
constexpr int kTurnsForAppends = 64;

}  // namespace

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
    ++appendsWaiting_;
    std::lock_guard lock(mutex_);
    --appendsWaiting_;
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
    Update update;
    std::uint64_t cursor = from;
    std::uint64_t end = 0;
    for (bool first = true;; first = false) {
        // Bounded, so that a flood of appends cannot hold a copy back for ever.
        for (int turn = 0; !first && appendsWaiting_.load() > 0 && turn < kTurnsForAppends;
             ++turn) {
            std::this_thread::yield();
        }
        std::lock_guard lock(mutex_);
        update.firstKept = entries_.empty() ? next_ : entries_.front().sequence;
        update.droppedCalls = droppedCalls_;
        update.droppedBytes = droppedBytes_;
        if (first) {
            update.next = next_;
            cursor = std::max(cursor, update.firstKept);
            end = cursor + std::min<std::uint64_t>(next_ > cursor ? next_ - cursor : 0, maxEntries);
        } else {
            // Calls dropped (or cleared) since the last hold leave the copy too.
            const auto keptFrom = std::lower_bound(
                update.entries.begin(), update.entries.end(), update.firstKept,
                [](const Entry& entry, std::uint64_t kept) { return entry.sequence < kept; });
            update.entries.erase(update.entries.begin(), keptFrom);
            cursor = std::max(cursor, update.firstKept);
        }
        if (cursor >= end) break;
        // Sequences are consecutive, so the first wanted call is found by subtraction.
        const auto begin =
            entries_.begin() + static_cast<std::ptrdiff_t>(cursor - update.firstKept);
        const std::uint64_t count = std::min<std::uint64_t>(end - cursor, kCallsPerHold);
        update.entries.insert(update.entries.end(), begin,
                              begin + static_cast<std::ptrdiff_t>(count));
        cursor += count;
    }
    update.next = std::max(update.next, update.firstKept);
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
