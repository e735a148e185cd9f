#include <gtest/gtest.h>

#include <atomic>
#include <numeric>
#include <string>
#include <thread>

#include "monitor/TrafficLog.h"
#include "port/TracingPortDriver.h"
#include "support/RecordingPortDriver.h"

namespace quillora {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// Bytes that differ from call to call and along each call, so a wrong slice shows.
std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

std::size_t Kept(const TrafficLog::Update& update) {
    std::size_t bytes = 0;
    for (const auto& entry : update.entries) bytes += entry.event->bytes.size();
    return bytes;
}

struct TrafficLogUnderSends : testing::Test {
    test::RecordingPortDriver inner;
    TrafficLog log;
    TracingPortDriver tracing{inner, {&log}};

    int Send(const std::vector<std::uint8_t>& bytes) {
        return tracing.SendData("LPT1", bytes.data(), static_cast<int>(bytes.size()));
    }
};

// 40 MiB in 1 MiB calls: the last 15 whole calls stay (each charged its bookkeeping), the
// older 25 are dropped and counted, and what stays is exactly the newest traffic.
TEST_F(TrafficLogUnderSends, FortyMebibytesInCallsKeepTheNewestWholeCallsWithinSixteen) {
    for (int call = 0; call < 40; ++call) {
        ASSERT_EQ(Send(Pattern(kMiB, std::uint8_t(call))), int(kMiB));
        ASSERT_LE(log.KeptBytes(), TrafficLog::kDefaultByteLimit);
    }
    inner.Clear();
    const TrafficLog::Update update = log.Since(0);
    ASSERT_EQ(update.entries.size(), 15u);
    EXPECT_EQ(update.firstKept, 25u);
    EXPECT_EQ(update.next, 40u);
    EXPECT_EQ(update.droppedCalls, 25u);
    EXPECT_EQ(update.droppedBytes, 25 * kMiB);
    EXPECT_EQ(Kept(update), 15 * kMiB);
    EXPECT_EQ(log.KeptBytes(), 15 * kMiB);
    for (std::size_t i = 0; i < update.entries.size(); ++i) {
        EXPECT_EQ(update.entries[i].sequence, 25 + i);
        EXPECT_EQ(update.entries[i].event->bytes, Pattern(kMiB, std::uint8_t(25 + i))) << i;
    }
}

// One 40 MiB call keeps its last bytes up to the bound and says how many went before them.
TEST_F(TrafficLogUnderSends, OneFortyMebibyteCallKeepsItsLastBytes) {
    const std::vector<std::uint8_t> file = Pattern(40 * kMiB, 7);
    ASSERT_EQ(Send(file), int(file.size()));
    inner.Clear();
    const TrafficLog::Update update = log.Since(0);
    ASSERT_EQ(update.entries.size(), 1u);
    const auto& entry = update.entries[0];
    const std::size_t kept = TrafficLog::kDefaultByteLimit - TrafficLog::kPerCallCharge;
    EXPECT_EQ(entry.event->bytes.size(), kept);
    EXPECT_EQ(entry.bytesCut, file.size() - kept);
    EXPECT_EQ(update.droppedBytes, file.size() - kept);
    EXPECT_EQ(update.droppedCalls, 0u);
    EXPECT_EQ(entry.event->returned, int(file.size()));
    EXPECT_TRUE(std::equal(entry.event->bytes.begin(), entry.event->bytes.end(),
                           file.end() - std::ptrdiff_t(kept)));
}

// A flood of one-byte calls is bounded by the per-call charge; the view fetches by
// sequence only what is new; Clear forgets calls and counts but not the numbering.
TEST(TrafficLog, OneByteCallsBoundedFetchByPositionAndClear) {
    TrafficLog log(64 * 1024);
    TrafficEvent event;
    event.bytes = {0x41};
    for (int i = 0; i < 5000; ++i) log.Record(event);
    const std::size_t perCall = 1 + TrafficLog::kPerCallCharge;
    const std::size_t fits = 64 * 1024 / perCall;
    TrafficLog::Update all = log.Since(0);
    EXPECT_EQ(all.entries.size(), fits);
    EXPECT_EQ(all.droppedCalls, 5000 - fits);
    EXPECT_EQ(log.Since(4990).entries.size(), 10u);
    EXPECT_EQ(log.Since(4990, 3).entries.size(), 3u);
    EXPECT_EQ(log.Since(4990, 3).entries.front().sequence, 4990u);
    EXPECT_TRUE(log.Since(5000).entries.empty());

    log.Clear();
    EXPECT_EQ(log.KeptBytes(), 0u);
    log.Record(event);
    const TrafficLog::Update after = log.Since(0);
    ASSERT_EQ(after.entries.size(), 1u);
    EXPECT_EQ(after.entries[0].sequence, 5000u);
    EXPECT_EQ(after.firstKept, 5000u);
    EXPECT_EQ(after.droppedCalls, 0u);
}

// A copy longer than one hold of the lock comes whole: consecutive calls, each its own
// bytes, from where it was asked to as many as were asked for.
TEST(TrafficLog, CopiesOverSeveralHoldsAreWholeAndInOrder) {
    TrafficLog log;
    TrafficEvent event;
    const std::size_t calls = 3 * TrafficLog::kCallsPerHold + 7;
    for (std::size_t i = 0; i < calls; ++i) {
        event.bytes = Pattern(3, std::uint8_t(i));
        log.Record(event);
    }
    const std::uint64_t from = TrafficLog::kCallsPerHold - 5;
    const std::size_t wanted = 2 * TrafficLog::kCallsPerHold + 3;
    const TrafficLog::Update update = log.Since(from, wanted);
    ASSERT_EQ(update.entries.size(), wanted);
    EXPECT_EQ(update.next, calls);
    for (std::size_t i = 0; i < wanted; ++i) {
        EXPECT_EQ(update.entries[i].sequence, from + i);
        EXPECT_EQ(update.entries[i].event->bytes, Pattern(3, std::uint8_t(from + i))) << i;
    }
    EXPECT_EQ(log.Since(from).entries.size(), calls - from);
}

// What is wrong with a copy: calls not consecutive, older than the oldest it reports
// kept, or not yet made; empty when nothing is.
std::string FaultIn(const TrafficLog::Update& update) {
    if (update.firstKept > update.next) return "first kept after next";
    for (std::size_t i = 0; i < update.entries.size(); ++i) {
        const std::uint64_t sequence = update.entries[i].sequence;
        if (sequence != update.entries[0].sequence + i) return "a gap at " + std::to_string(i);
        if (sequence < update.firstKept) return "dropped call " + std::to_string(sequence);
        if (sequence >= update.next) return "future call " + std::to_string(sequence);
    }
    return {};
}

// Copies taken while another thread floods a small log: whatever the two threads' turns,
// each copy is consecutive calls, none of them older than the oldest call it reports kept.
TEST(TrafficLog, CopiesDuringDropsHoldOnlyKeptConsecutiveCalls) {
    TrafficLog log(4 * TrafficLog::kCallsPerHold * (1 + TrafficLog::kPerCallCharge));
    constexpr std::uint64_t kCalls = 200000;
    std::atomic<bool> done{false};
    std::thread sender([&] {
        TrafficEvent event;
        event.bytes = {0x41};
        for (std::uint64_t i = 0; i < kCalls; ++i) log.Record(event);
        done = true;
    });
    std::string fault;
    for (bool last = false; !last && fault.empty();) {
        last = done.load();  // one more copy once the sender is through
        fault = FaultIn(log.Since(0));
    }
    sender.join();
    EXPECT_EQ(fault, "");
    const TrafficLog::Update after = log.Since(0);
    EXPECT_EQ(after.next, kCalls);
    EXPECT_EQ(after.entries.size(), after.next - after.firstKept);
}

}  // namespace
}  // namespace quillora
