#include <gtest/gtest.h>
#include <QTest>

#include <algorithm>
#include <future>
#include <regex>
#include <thread>

#include "LoopbackPeer.h"
#include "app/ControlTable.h"
#include "platform/TickClock.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;

const QString kStart = QString::fromUtf8("开始连续打印");
const QString kStop = QString::fromUtf8("结束连续打印");
const std::string kHeadingStart = test::Hex("B5 B1 C7 B0 B5 DA");  // 当前第

bool Idle(MainTestDialog& dialog) {
    return dialog.ControlText(ctl::StartStop) == kStart;
}

// The dialog on the fake clock, with ports COM1 and IP; COM1 is selected.
class ContinuousControllerTest : public testing::Test {
protected:
    ContinuousControllerTest() {
        harness.ports.comCount = 1;
        // Notes the fake clock at every send; holds send number `holdAt` until `release`.
        harness.ports.sendResult = [this](const PortName&, int length) {
            sentAt.push_back(harness.clock.ticks);
            if (++sends == holdAt) released.wait();
            return length;
        };
        dialog = &harness.Create();
    }
    void Click(int id) { QTest::mouseClick(dialog->Control(id), Qt::LeftButton); }
    void Start(const char* copies, const char* seconds) {
        dialog->SetControlText(ctl::Copies, QString::fromLatin1(copies));
        dialog->SetControlText(ctl::Interval, QString::fromLatin1(seconds));
        Click(ctl::StartStop);
    }
    bool WaitIdle() {
        return QTest::qWaitFor([&] { return Idle(*dialog); });
    }
    bool TestControlsAre(bool enabled) {
        return std::ranges::all_of(
            TestControlIds(), [&](int id) { return dialog->Control(id)->isEnabled() == enabled; });
    }
    // Starts five copies, the first of them held in its heading's send.
    bool StartHeldInCopyOne() {
        holdAt = 1;
        Start("5", "1");
        return QTest::qWaitFor([&] { return sends == 1; });
    }

    // Declared before the harness: the worker's send hook uses them until it ends.
    std::vector<std::uint32_t> sentAt;
    std::atomic<int> sends{0};
    int holdAt = 0;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    test::DialogHarness harness;
    MainTestDialog* dialog = nullptr;
};

TEST_F(ContinuousControllerTest, OneCopyForCountsOfOneOrLessEvenAfterAFailedValidation) {
    for (const char* copies : {"1", "0", "-5"}) {
        harness.ports.Clear();
        harness.messages.shown.clear();
        Start(copies, "1");
        EXPECT_EQ(dialog->ControlText(ctl::StartStop), kStop);
        EXPECT_TRUE(TestControlsAre(false) && dialog->Control(ctl::StartStop)->isEnabled());
        ASSERT_TRUE(WaitIdle()) << copies;
        EXPECT_TRUE(TestControlsAre(true));
        EXPECT_EQ(harness.messages.shown.size(), copies[0] == '1' ? 0u : 1u) << copies;
        const auto calls = harness.ports.Calls("SendData");
        ASSERT_EQ(calls.size(), 2u) << copies << ": heading and text of one copy";
        for (const auto& send : calls) EXPECT_EQ(send.port, "COM1");
    }
}

TEST_F(ContinuousControllerTest, CopiesNumberedFromOneTwoSecondsApartReadTheOptionsAfresh) {
    holdAt = 4;
    dialog->SetControlText(ctl::TextBox, QString::fromUtf8("中"));
    dialog->SetChecked(ctl::PrintLogo, true);
    dialog->SetChecked(ctl::AutoCut, true);
    Start("3", "2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sends == 4; }));  // in the cut of copy 1
    dialog->SetChecked(ctl::AutoCut, false);
    release.set_value();
    ASSERT_TRUE(WaitIdle());

    // Per copy: heading n, logo, 中 CR LF, then the cut tail while auto cut was on.
    std::vector<std::string> expected;
    for (const std::string n : {"31", "32", "33"}) {
        expected.insert(expected.end(), {"B5 B1 C7 B0 B5 DA " + n +
                                             " B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A",
                                         "1C 70 01 30", "D6 D0 0D 0A"});
        if (n == "31") expected.push_back("0D 0A 0D 0A 0D 0A 0D 0A 1B 69");
    }
    EXPECT_EQ(test::ToHex(harness.ports.SentBlocks()), expected);
    ASSERT_EQ(sentAt.size(), 10u);
    for (size_t heading : {4u, 7u}) {  // the pause ends at the first 10 ms step past 2 s
        EXPECT_GE(sentAt[heading] - sentAt[heading - 1], 2000u);
        EXPECT_LT(sentAt[heading] - sentAt[heading - 1], 2010u);
    }
    EXPECT_EQ(harness.clock.ticks.load(), sentAt.back()) << "no pause after the last copy";
    EXPECT_TRUE(harness.messages.shown.empty());
}

TEST_F(ContinuousControllerTest, StopDuringAPauseEndsTheRunWithinOneStep) {
    harness.clock.realSleep = 1ms;
    Start("5", "86400");
    ASSERT_TRUE(QTest::qWaitFor([&] { return harness.clock.ticks > 100; }));
    const std::uint32_t clickedAt = harness.clock.ticks;
    Click(ctl::StartStop);
    EXPECT_EQ(dialog->ControlText(ctl::StartStop), kStop) << "until the worker sees the stop";
    ASSERT_TRUE(WaitIdle());
    EXPECT_LE(harness.clock.ticks - clickedAt, 10u);
    EXPECT_EQ(sends.load(), 2) << "heading and text of copy 1";
}

TEST_F(ContinuousControllerTest, ANewRunNeverInterleavesWithTheEndOfThePrevious) {
    for (int run = 0; run < 20; ++run) {
        Start("2", "1");
        ASSERT_TRUE(QTest::qWaitFor([&] {
            EXPECT_TRUE(dialog->ControlText(ctl::StartStop) != kStop || TestControlsAre(false))
                << "run " << run;
            return Idle(*dialog);
        }));
    }
    EXPECT_EQ(sends.load(), 80);
}

TEST_F(ContinuousControllerTest, PrintModeSwitchesTheOptions) {
    const int options[] = {ctl::AutoCut, ctl::MixedSize, ctl::PrintLogo};
    for (int id : options) dialog->SetChecked(id, true);
    // Driver mode clears auto cut and logo and disables all three; port mode enables them.
    for (const int mode : {ctl::DriverMode, ctl::PortMode, ctl::DriverMode}) {
        Click(mode);
        EXPECT_EQ(dialog->PrintMode.load(), mode == ctl::DriverMode ? 1 : 0);
        EXPECT_FALSE(dialog->IsChecked(ctl::AutoCut) || dialog->IsChecked(ctl::PrintLogo));
        EXPECT_TRUE(dialog->IsChecked(ctl::MixedSize));
        for (int id : options) EXPECT_EQ(dialog->Control(id)->isEnabled(), mode == ctl::PortMode);
    }
    // After a driver-mode run every test control is enabled; no copy went to the port.
    Click(ctl::StartStop);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(dialog->IsChecked(ctl::DriverMode));
    EXPECT_TRUE(TestControlsAre(true));
    EXPECT_EQ(sends.load(), 0);
}

TEST_F(ContinuousControllerTest, StopClickEndsTheRunRightAfterTheCopyInProgress) {
    ASSERT_TRUE(StartHeldInCopyOne());
    Click(ctl::StartStop);
    release.set_value();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(sends.load(), 2) << "heading and text of copy 1";
    EXPECT_EQ(harness.clock.ticks.load(), 0u) << "no step of the pause was slept";
}

// The close waits for the held copy, serving the worker's window requests meanwhile.
TEST_F(ContinuousControllerTest, CancelDuringACopyWaitsForItThenTheWindowGoes) {
    ASSERT_TRUE(StartHeldInCopyOne());
    std::jthread releaser([this] {
        std::this_thread::sleep_for(50ms);
        release.set_value();
    });
    dialog->reject();
    EXPECT_EQ(dialog->StopRequested.load(), 1);
    EXPECT_TRUE(Idle(*dialog)) << "the worker's last request was served during the wait";
    EXPECT_EQ(sends.load(), 2) << "copy 1 finished, no copy 2";
}

// Through the system port driver to a network printer on loopback, on the real clock.
TEST(ContinuousEndToEnd, FiveCopiesAtOneSecondReachANetworkPrinter) {
    const std::string address = test::LoopbackAddress(7, 21);
    test::LoopbackPeer peer(address);
    ASSERT_TRUE(peer.Listening());
    test::DialogHarness h;
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    const int ipEntry = driver->GetCOMMax() + driver->GetLPTMax() + driver->GetUSBPort();
    h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(ipEntry) + "\n" +
                                  test::LoopbackIpSettings(7, 21));
    SystemTickClock clock;
    MainTestDialog dialog(AppServices{*driver, h.messages, h.files, clock, h.noPrinters});
    ASSERT_EQ(dialog.ControlText(ctl::PortList), QStringLiteral("IP"));
    dialog.SetControlText(ctl::TextBox, QStringLiteral("fatigue"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("5"));
    dialog.SetControlText(ctl::Interval, QStringLiteral("1"));

    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(dialog); }, 30000));
    // 当前第n份,时间:h:m:s CR LF CR LF in GBK, then the text, for n = 1..5, each copy at
    // least a second after the one before (the time of day may pass midnight).
    const std::string pattern =
        kHeadingStart +
        "([0-9])\xB7\xDD,\xCA\xB1\xBC\xE4:([0-9]+):([0-9]+):([0-9]+)\r\n\r\n"
        "fatigue\r\n";
    const std::regex copy(pattern);
    std::string received;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            received = peer.Received();
            return std::distance(std::sregex_iterator(received.begin(), received.end(), copy),
                                 std::sregex_iterator()) == 5;
        },
        5000))
        << received;
    EXPECT_TRUE(std::regex_match(received, std::regex("(?:" + pattern + "){5}")));
    int number = 0, previous = -1;
    for (auto match = std::sregex_iterator(received.begin(), received.end(), copy);
         match != std::sregex_iterator(); ++match) {
        EXPECT_EQ(std::stoi((*match)[1]), ++number);
        const int second =
            std::stoi((*match)[2]) * 3600 + std::stoi((*match)[3]) * 60 + std::stoi((*match)[4]);
        if (previous >= 0) {
            EXPECT_GE((second - previous + 86400) % 86400, 1) << number;
        }
        previous = second;
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
