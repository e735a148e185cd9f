#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <unordered_map>
#include <utility>

namespace vprinter {

// Values made once and reused, at most `capacity` of them: a new one makes the cache forget
// the one used least recently. Once full, each value made is matched by one forgotten, so the
// memory it holds stays level however long the printer runs, and what is used often stays.
template <typename Key, typename Value, typename Hash = std::hash<Key>>
class RecentCache {
public:
    explicit RecentCache(std::size_t capacity) : capacity_(capacity) {}

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
        if (values_.size() >= capacity_) {
            values_.erase(*uses_.back());
            uses_.pop_back();
        }
        const auto added = values_.emplace(key, Entry{std::move(value), {}}).first;
        uses_.push_front(&added->first);
        added->second.use = uses_.begin();
        return added->second.value;
    }

    std::size_t Size() const { return values_.size(); }

private:
    using Uses = std::list<const Key*>;  // the keys, most recently used first
    struct Entry {
        Value value;
        typename Uses::iterator use;
    };

    std::size_t capacity_;
    std::unordered_map<Key, Entry, Hash> values_;
    Uses uses_;
};

}  // namespace vprinter
