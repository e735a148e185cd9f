#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "port/TrafficEvent.h"

namespace quillora {

// The traffic monitor's record: the most recent calls of every port, bounded in memory.
// Calls are appended from any thread (under the mutex, never touching a widget); a view
// fetches what is new by sequence number. When the bound is reached the oldest whole
// calls go and are counted; a single call larger than the bound keeps only its last bytes.
// A view's copy takes the mutex for kCallsPerHold calls at a time and lets waiting appends
// go first between holds, so an append waits for at most that many, however many calls
// the view takes.
class TrafficLog final : public TrafficSink {
public:
    static constexpr std::size_t kDefaultByteLimit = std::size_t{16} << 20;
    // Charged per call besides its bytes, so that a flood of one-byte calls is bounded too.
    static constexpr std::size_t kPerCallCharge = 64;
    static constexpr std::size_t kCallsPerHold = 256;

    struct Entry {
        std::uint64_t sequence = 0;
        std::shared_ptr<const TrafficEvent> event;
        std::size_t bytesCut = 0;  // leading bytes of the call that were not kept
    };
    struct Update {
        std::vector<Entry> entries;   // kept calls from the asked sequence on, oldest first
        std::uint64_t firstKept = 0;  // the oldest call still kept (== next when none)
        std::uint64_t next = 0;       // the sequence the next call will get
        // Since the start or the last Clear().
        std::uint64_t droppedCalls = 0;
        std::uint64_t droppedBytes = 0;
    };

    explicit TrafficLog(std::size_t byteLimit = kDefaultByteLimit) : byteLimit_(byteLimit) {}

    void Record(const TrafficEvent& event) override;
    void Take(TrafficEvent&& event) override;

    // At most `maxEntries` calls with a sequence of `from` or later, as far as the call that
    // was the newest when asked; calls dropped while it copies are left out.
    Update Since(std::uint64_t from, std::size_t maxEntries = SIZE_MAX) const;

    // Forgets every call and the drop counts; sequence numbers go on.
    void Clear();

    // The traffic bytes held now.
    std::size_t KeptBytes() const;
    std::size_t ByteLimit() const { return byteLimit_; }

private:
    void Add(Entry entry);
    void DropOldestUntilFits(std::size_t charge);

    const std::size_t byteLimit_;
    mutable std::mutex mutex_;
    // Appends waiting for the mutex: a copy steps aside for them between its holds (the
    // mutex itself would hand it straight back to the copy).
    std::atomic<int> appendsWaiting_{0};
    std::deque<Entry> entries_;
    std::size_t charged_ = 0;
    std::size_t keptBytes_ = 0;
    std::uint64_t next_ = 0;
    std::uint64_t droppedCalls_ = 0;
    std::uint64_t droppedBytes_ = 0;
};

}  // namespace quillora
