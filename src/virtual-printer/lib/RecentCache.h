#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace vprinter {

// Values made once and reused, at most `capacity` of them and, when the values are weighed by
// `bytes`, at most `budget` bytes of them: a new one makes the cache forget those used least
// recently. Once full, each value made is matched by what is forgotten, so the memory it holds
// stays level however long the printer runs, and what is used often stays. A count alone is
// no bound when one value may be a thousand times the size of another.
template <typename Key, typename Value, typename Hash = std::hash<Key>>
class RecentCache {
public:
    using Weigh = std::size_t (*)(const Value&);

    explicit RecentCache(std::size_t capacity, std::size_t budget = SIZE_MAX, Weigh bytes = nullptr)
        : capacity_(capacity), budget_(budget), bytes_(bytes) {}

    // The value for `key`; `make()` makes it when the cache does not hold it. The reference
    // lasts until the cache next makes a value.
    template <typename Make>
    const Value& Get(const Key& key, Make&& make) {
        const auto found = values_.find(key);
        if (found != values_.end()) {
            uses_.splice(uses_.begin(), uses_, found->second.use);
            return found->second.value;
        }
        // Made before anything is forgotten: `make` may read values the cache holds.
        Value value = std::forward<Make>(make)();
        const std::size_t weight = bytes_ ? bytes_(value) : 0;
        // The value made is kept even when it alone is over the budget: it is returned.
        while (!uses_.empty() && (values_.size() >= capacity_ || held_ + weight > budget_)) {
            const auto oldest = values_.find(*uses_.back());
            held_ -= oldest->second.weight;
            values_.erase(oldest);
            uses_.pop_back();
        }
        held_ += weight;
        const auto added = values_.emplace(key, Entry{std::move(value), {}, weight}).first;
        uses_.push_front(&added->first);
        added->second.use = uses_.begin();
        return added->second.value;
    }

    std::size_t Size() const { return values_.size(); }
    // The bytes the values held weigh (0 when they are not weighed).
    std::size_t Bytes() const { return held_; }

private:
    using Uses = std::list<const Key*>;  // the keys, most recently used first
    struct Entry {
        Value value;
        typename Uses::iterator use;
        std::size_t weight;
    };

    std::size_t capacity_;
    std::size_t budget_;
    Weigh bytes_;
    std::size_t held_ = 0;
    std::unordered_map<Key, Entry, Hash> values_;
    Uses uses_;
};

}  // namespace vprinter
