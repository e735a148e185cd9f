// The cache behind drawn glyphs and barcodes: what it keeps, what it forgets, what it makes.
#include <gtest/gtest.h>

#include <string>

#include "virtual-printer/lib/RecentCache.h"

namespace vprinter::test {
namespace {

TEST(RecentCacheTest, MakesEachValueOnceAndForgetsTheOneUsedLeastRecently) {
    RecentCache<int, std::string> cache(2);
    int made = 0;
    const auto get = [&](int key) {
        return cache.Get(key, [&] {
            ++made;
            return "value " + std::to_string(key);
        });
    };
    EXPECT_EQ(get(1), "value 1");
    EXPECT_EQ(get(2), "value 2");
    EXPECT_EQ(get(1), "value 1");  // kept: nothing made
    EXPECT_EQ(made, 2);
    // Full: 3 takes the place of 2, the one used least recently.
    EXPECT_EQ(get(3), "value 3");
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(get(1), "value 1");
    EXPECT_EQ(made, 3);
    EXPECT_EQ(get(2), "value 2");  // made again, in place of 3
    EXPECT_EQ(made, 4);
    EXPECT_EQ(get(1), "value 1");
    EXPECT_EQ(made, 4);
}

TEST(RecentCacheTest, AValueMayBeMadeFromAnotherTheCacheHolds) {
    RecentCache<int, std::string> cache(2);
    const auto plain = [&](int key) -> const std::string& {
        return cache.Get(key, [&] { return std::to_string(key); });
    };
    plain(1);
    plain(2);
    // Making 10 reads 1 from the full cache before anything is forgotten.
    EXPECT_EQ(cache.Get(10, [&] { return plain(1) + "0"; }), "10");
    EXPECT_EQ(cache.Size(), 2u);
}

TEST(RecentCacheTest, WeighedValuesAreForgottenUntilTheNewOneFitsTheBudget) {
    RecentCache<int, std::string> cache(10, 100,
                                        [](const std::string& value) { return value.size(); });
    const auto get = [&](int key, std::size_t size) -> const std::string& {
        return cache.Get(key, [&] { return std::string(size, 'x'); });
    };
    get(1, 40);
    get(2, 40);
    get(1, 40);  // 1 used last
    get(3, 30);  // 110: 2 goes
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(cache.Bytes(), 70u);
    // A value over the whole budget is kept alone, since it is returned.
    EXPECT_EQ(get(4, 150).size(), 150u);
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Bytes(), 150u);
    get(5, 10);
    EXPECT_EQ(cache.Bytes(), 10u);
}

}  // namespace
}  // namespace vprinter::test
