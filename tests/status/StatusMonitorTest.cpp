// The live status's rules on a clock the test moves: a printer that stops answering is "not
// responding" within 2 s, on both paths; automatic status back blocks are taken as they come
// and others' use of the connection makes it catch up; its bytes are DLE EOT 1-4 and GS a.
#include <gtest/gtest.h>

#include <deque>
#include <future>

#include "status/StatusHistory.h"
#include "status/StatusMonitor.h"
#include "support/HexBytes.h"
#include "support/ManualTickClock.h"

namespace quillora::test {
namespace {

// A printer on a clock: a read with nothing to hand out takes the driver's whole second.
class ClockedPrinter final : public PortDriver {
public:
    explicit ClockedPrinter(ManualTickClock& clock) : clock_(clock) {}
    std::deque<std::string> replies;  // one per ReadData
    std::vector<std::string> sent;
    ExchangeGate* gate = nullptr;
    int exchangesOthersGotInto = 0;

    int GetCOMMax() override { return 1; }
    int GetLPTMax() override { return 0; }
    int GetUSBPort() override { return 0; }
    int SetComParam(const PortName&, int, int, int, int, int) override { return 1; }
    int ShowCOMSettingDlg(const PortName&) override { return 1; }
    int SendData(const PortName&, const std::uint8_t* data, int length) override {
        if (gate) {  // another caller cannot get in while this exchange runs
            const bool entered = std::async(std::launch::async, [this] {
                                     const bool free =
                                         gate->TryEnterFor(std::chrono::milliseconds(0));
                                     if (free) gate->Leave();
                                     return free;
                                 }).get();
            exchangesOthersGotInto += entered ? 1 : 0;
        }
        sent.emplace_back(reinterpret_cast<const char*>(data), size_t(length));
        return length;
    }
    int ReadData(const PortName&, std::uint8_t* buffer, int count) override {
        if (replies.empty()) {
            clock_.ticks += 1000;
            return 0;
        }
        const std::string reply = replies.front().substr(0, size_t(count));
        replies.pop_front();
        std::copy(reply.begin(), reply.end(), buffer);
        return int(reply.size());
    }
    std::string LastErrorText(const PortName&) const override { return {}; }

private:
    ManualTickClock& clock_;
};

const std::string kAllWell = Hex("12 12 12 12");
const std::string kCoverOpen = Hex("1A 16 12 12");

TEST(StatusMonitor, PollingAsksEveryHalfSecondAndGoesSilentWithinTwoSeconds) {
    ManualTickClock clock;
    ClockedPrinter printer(clock);
    ExchangeGate gate;
    StatusMonitor monitor(printer, gate, clock, "COM1", StatusMode::Polling);
    printer.gate = &gate;
    printer.replies = {kAllWell, kCoverOpen};
    EXPECT_EQ(monitor.Step().size(), 9u);  // answering, and every light
    EXPECT_EQ(clock.ticks, 500u);
    const std::vector<Light> changes = monitor.Step();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(LightLine(changes[0]), "联机: 脱机");
    EXPECT_EQ(LightLine(changes[1]), "上盖: 打开");
    EXPECT_EQ(ToHex(printer.sent.at(0)), "10 04 01 10 04 02 10 04 03 10 04 04");

    // The printer stops between two rounds: the next question goes unanswered.
    const std::uint32_t stopped = clock.ticks;
    const std::vector<Light> silent = monitor.Step();
    ASSERT_EQ(silent.size(), 1u);
    EXPECT_EQ(LightLine(silent[0]), "打印机: 无响应");
    EXPECT_LE(clock.ticks - stopped, 2000u);
    EXPECT_TRUE(monitor.Step().empty()) << "said once";
    printer.replies = {kCoverOpen};
    EXPECT_EQ(LightLine(monitor.Step().at(0)), "打印机: 有响应");
    EXPECT_EQ(printer.exchangesOthersGotInto, 0);
}

TEST(StatusMonitor, AutomaticStatusBackTakesBlocksAndCatchesUpAfterOthers) {
    ManualTickClock clock;
    ClockedPrinter printer(clock);
    ExchangeGate gate;
    StatusMonitor monitor(printer, gate, clock, "127.0.0.1", StatusMode::Automatic);
    printer.replies = {Hex("10 00 00 00"), Hex("38 00 00 00")};
    EXPECT_EQ(monitor.Step().size(), 9u);
    EXPECT_TRUE(monitor.Reading().automatic);
    EXPECT_EQ(ToHex(printer.sent.at(0)), "1D 61 0F");
    const std::vector<Light> changes = monitor.Step();  // the block that came
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(LightLine(changes[1]), "上盖: 打开");
    EXPECT_EQ(printer.sent.size(), 1u) << "a block needs no question";

    // Someone else sent meanwhile (the driver dropped what had come): ask, then listen again.
    { const GateHold other(gate); }
    printer.replies = {kAllWell};
    EXPECT_EQ(monitor.Step().size(), 2u);
    EXPECT_EQ(ToHex(printer.sent.back()), "10 04 01 10 04 02 10 04 03 10 04 04");
    EXPECT_TRUE(monitor.Reading().automatic);

    // Silence: a second's wait for a block, then a question that goes unanswered.
    const std::uint32_t stopped = clock.ticks;
    EXPECT_EQ(LightLine(monitor.Step().at(0)), "打印机: 无响应");
    EXPECT_LE(clock.ticks - stopped, 2000u);
    monitor.Finish();  // automatic status back was dropped with the printer: nothing to undo
    EXPECT_NE(ToHex(printer.sent.back()), "1D 61 00");
}

TEST(StatusDecoding, EveryBitOfTheRealTimeAndAutomaticReplies) {
    const auto state = DecodeRealTimeStatus({0x16, 0x1A, 0x7A, 0x1E});
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->drawerPinHigh);
    EXPECT_TRUE(state->online);
    EXPECT_FALSE(state->coverOpen);
    EXPECT_TRUE(state->feedButton);
    EXPECT_TRUE(state->cutterError);
    EXPECT_TRUE(state->unrecoverableError);
    EXPECT_TRUE(state->autoRecoverableError);
    EXPECT_EQ(state->paper, PaperLevel::NearEnd);
    EXPECT_FALSE(DecodeRealTimeStatus({0x10, 0x12, 0x12, 0x12})) << "an automatic block's byte";
    const auto block = DecodeAutomaticStatus({0x7C, 0x68, 0x0C, 0x00});
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->drawerPinHigh && !block->online && block->coverOpen && block->feedButton);
    EXPECT_TRUE(block->cutterError && block->unrecoverableError && block->autoRecoverableError);
    EXPECT_EQ(block->paper, PaperLevel::Out);
    EXPECT_FALSE(DecodeAutomaticStatus({0x12, 0x00, 0x00, 0x00}));
    EXPECT_EQ(TransmittedPaperLevel(0x03), PaperLevel::NearEnd);
    EXPECT_EQ(PrinterIdText(std::string("_VP-80\0", 7)), "VP-80");
    EXPECT_FALSE(PrinterIdText("_VP-80"));
}

// The texts the window and `watch` show: times with two digits each, bytes in two hex digits,
// printer texts read as GBK, in the window's order and only what was answered.
TEST(StatusTexts, HistoryLinesAndThePrintersOwnWords) {
    StatusHistory history;
    history.Add({9, 5, 3}, ChangesBetween({true, false, {}}, {true, false, {.coverOpen = true}}));
    history.Add({23, 59, 0}, ChangesBetween({true, false, {}}, {false, false, {}}));
    EXPECT_EQ(history.Text(), "09:05:03 上盖: 打开\n23:59:00 打印机: 无响应\n");

    PrinterInformation information;
    information.model = "VP\xB2\xE2";  // GBK "测"
    information.typeId = 0x00;
    information.modelId = 0x2A;
    information.serial = "";
    using Fields = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(InformationFields(information),
              (Fields{{"型号", "VP测"}, {"型号ID", "0x2a"}, {"类型ID", "0x00"}, {"序列号", ""}}));
}

}  // namespace
}  // namespace quillora::test
