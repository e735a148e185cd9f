#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "port/TracingPortDriver.h"
#include "support/HexBytes.h"
#include "support/RecordingPortDriver.h"

namespace quillora {
namespace {

struct CollectingSink : TrafficSink {
    std::vector<TrafficEvent> events;
    void Record(const TrafficEvent& event) override { events.push_back(event); }
};

std::string Bytes(const TrafficEvent& event) {
    return {event.bytes.begin(), event.bytes.end()};
}

// Every send and read reaches each sink in call order with the wrapped driver's counts,
// the caller gets exactly those counts, and only a short call carries the error text.
TEST(TracingPortDriver, RecordsSendsAndReadsInOrderAndPassesResultsThrough) {
    test::RecordingPortDriver inner;
    inner.errorText = "connect 127.3.0.1:9100: Connection refused";
    inner.replies = {test::Hex("12"), ""};
    inner.sendResult = [](const PortName&, int length) { return length == 3 ? 2 : length; };
    CollectingSink first, second;
    std::int64_t now = 1'000'000;
    TracingPortDriver tracing(inner, {&first, &second}, [&] { return now += 250; });

    const std::string cut = test::Hex("1D 56 00");
    EXPECT_EQ(tracing.SendData("COM1", reinterpret_cast<const std::uint8_t*>(cut.data()), 3), 2);
    const std::string query = test::Hex("10 04 04");
    tracing.SendData("COM1", reinterpret_cast<const std::uint8_t*>(query.data()), 2);
    std::uint8_t reply[4] = {};
    EXPECT_EQ(tracing.ReadData("COM1", reply, 1), 1);
    EXPECT_EQ(tracing.ReadData("COM1", reply, 1), 0);
    EXPECT_EQ(inner.Calls().size(), 4u);

    ASSERT_EQ(first.events.size(), 4u);
    ASSERT_EQ(second.events.size(), 4u);
    const auto& e = first.events;
    EXPECT_EQ(e[0].direction, TrafficDirection::Sent);
    EXPECT_EQ(test::ToHex(Bytes(e[0])), "1D 56 00");
    EXPECT_EQ(e[0].requested, 3);
    EXPECT_EQ(e[0].returned, 2);
    EXPECT_EQ(e[0].error, inner.errorText);
    EXPECT_EQ(e[0].timeMicros, 1'000'250);
    EXPECT_EQ(test::ToHex(Bytes(e[1])), "10 04");
    EXPECT_EQ(e[1].error, "");
    EXPECT_EQ(e[2].direction, TrafficDirection::Received);
    EXPECT_EQ(test::ToHex(Bytes(e[2])), "12");
    EXPECT_EQ(e[2].error, "");
    EXPECT_EQ(e[3].returned, 0);
    EXPECT_TRUE(e[3].bytes.empty());
    EXPECT_EQ(e[3].error, inner.errorText);
    EXPECT_EQ(second.events[3].timeMicros, e[3].timeMicros);
}

TEST(TracingPortDriver, TraceLineHasTimePortDirectionCountsHexAndError) {
    setenv("TZ", "UTC", 1);
    tzset();
    TrafficEvent event;
    event.timeMicros = 3723'000042;  // 01:02:03.000042 UTC
    event.port = "127.0.0.1";
    event.bytes = {0x1D, 0x56, 0x00};
    event.requested = 3;
    event.returned = 0;
    event.error = "connect 127.0.0.1:9100: Connection refused";
    EXPECT_EQ(FormatTrafficLine(event),
              "01:02:03.000042 127.0.0.1 TX 0/3 1d 56 00 error: connect 127.0.0.1:9100: "
              "Connection refused");
    event.direction = TrafficDirection::Received;
    event.bytes = {};
    event.requested = 1;
    event.error = "";
    EXPECT_EQ(FormatTrafficLine(event), "01:02:03.000042 127.0.0.1 RX 0/1");
}

}  // namespace
}  // namespace quillora
