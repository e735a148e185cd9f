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
        dialog = &harness.Create();
    }
    void Click(int id) { QTest::mouseClick(dialog->Control(id), Qt::LeftButton); }
    bool WaitIdle() {
        return QTest::qWaitFor([&] { return Idle(*dialog); });
    }
    void SetRun(const char* copies, const char* seconds) {
        dialog->SetControlText(ctl::Copies, QString::fromLatin1(copies));
        dialog->SetControlText(ctl::Interval, QString::fromLatin1(seconds));
    }
    bool TestControlsAre(bool enabled) {
        return std::ranges::all_of(
            TestControlIds(), [&](int id) { return dialog->Control(id)->isEnabled() == enabled; });
    }
    size_t Headings() const {
        return std::ranges::count_if(harness.ports.SentBlocks(), [](const std::string& b) {
            return b.starts_with(kHeadingStart);
        });
    }

    test::DialogHarness harness;
    MainTestDialog* dialog = nullptr;
};

TEST_F(ContinuousControllerTest, OneCopyForCountsOfOneOrLessEvenAfterAFailedValidation) {
    for (const char* copies : {"1", "0", "-5"}) {
        harness.ports.Clear();
        harness.messages.shown.clear();
        SetRun(copies, "1");
        Click(ctl::StartStop);
        EXPECT_EQ(dialog->ControlText(ctl::StartStop), kStop);
        EXPECT_TRUE(TestControlsAre(false));
        EXPECT_TRUE(dialog->Control(ctl::StartStop)->isEnabled());
        ASSERT_TRUE(WaitIdle()) << copies;
        EXPECT_TRUE(TestControlsAre(true));
        EXPECT_EQ(harness.messages.shown.size(), copies[0] == '1' ? 0u : 1u) << copies;
        const auto sends = harness.ports.Calls("SendData");
        ASSERT_EQ(sends.size(), 2u) << copies;
        EXPECT_EQ(test::ToHex(sends[0].bytes),
                  "B5 B1 C7 B0 B5 DA 31 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A");
        EXPECT_TRUE(sends[1].bytes.ends_with("\r\n"));
        for (const auto& send : sends) EXPECT_EQ(send.port, "COM1");
    }
}

TEST_F(ContinuousControllerTest, ThreeCopiesTwoSecondsApartWithTheOptionsOfEach) {
    std::vector<std::uint32_t> sentAt;  // the fake clock at every send
    harness.ports.sendResult = [&](const PortName&, int length) {
        sentAt.push_back(harness.clock.ticks);
        return length;
    };
    dialog->SetControlText(ctl::TextBox, QString::fromUtf8("中"));
    dialog->SetChecked(ctl::PrintLogo, true);
    dialog->SetChecked(ctl::AutoCut, true);
    SetRun("3", "2");
    Click(ctl::StartStop);
    ASSERT_TRUE(WaitIdle());

    // Per copy: heading n, logo, 中 CR LF, cut tail.
    const std::vector<std::string> blocks = harness.ports.SentBlocks();
    ASSERT_EQ(blocks.size(), 12u);
    ASSERT_EQ(sentAt.size(), 12u);
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(blocks[4 * n].substr(0, 7), kHeadingStart + char('1' + n));
        EXPECT_EQ(test::ToHex(blocks[4 * n + 1]), "1C 70 01 30");
        EXPECT_EQ(test::ToHex(blocks[4 * n + 2]), "D6 D0 0D 0A");
        EXPECT_EQ(test::ToHex(blocks[4 * n + 3]), "0D 0A 0D 0A 0D 0A 0D 0A 1B 69");
        if (n > 0) {  // the pause ends at the first 10 ms step past two seconds
            EXPECT_GE(sentAt[4 * n] - sentAt[4 * n - 1], 2000u);
            EXPECT_LT(sentAt[4 * n] - sentAt[4 * n - 1], 2010u);
        }
    }
    EXPECT_EQ(harness.clock.ticks.load(), sentAt.back()) << "no pause after the last copy";
}

TEST_F(ContinuousControllerTest, StopDuringAPauseEndsTheRunWithinOneStep) {
    harness.clock.realSleep = 1ms;
    SetRun("5", "86400");
    Click(ctl::StartStop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return harness.clock.ticks > 100; }));
    const std::uint32_t clickedAt = harness.clock.ticks;
    Click(ctl::StartStop);
    EXPECT_EQ(dialog->ControlText(ctl::StartStop), kStop)
        << "stopping until the worker has seen the request";
    EXPECT_TRUE(TestControlsAre(false));
    ASSERT_TRUE(WaitIdle());
    EXPECT_LE(harness.clock.ticks - clickedAt, 10u);
    EXPECT_EQ(Headings(), 1u);
    EXPECT_TRUE(TestControlsAre(true));
}

TEST_F(ContinuousControllerTest, ANewRunNeverInterleavesWithTheEndOfThePrevious) {
    SetRun("2", "1");
    for (int run = 0; run < 20; ++run) {
        Click(ctl::StartStop);
        ASSERT_TRUE(QTest::qWaitFor([&] {
            EXPECT_TRUE(dialog->ControlText(ctl::StartStop) != kStop || TestControlsAre(false))
                << "run " << run;
            return Idle(*dialog);
        }));
    }
    EXPECT_EQ(Headings(), 40u);
}

TEST_F(ContinuousControllerTest, PrintModeSwitchesTheOptions) {
    const int options[] = {ctl::AutoCut, ctl::MixedSize, ctl::PrintLogo};
    for (int id : options) dialog->SetChecked(id, true);
    // Driver mode clears auto cut and logo and disables all three; port mode enables them.
    for (const int mode : {ctl::DriverMode, ctl::PortMode, ctl::DriverMode}) {
        Click(mode);
        EXPECT_EQ(dialog->PrintMode.load(), mode == ctl::DriverMode ? 1 : 0);
        EXPECT_FALSE(dialog->IsChecked(ctl::AutoCut));
        EXPECT_TRUE(dialog->IsChecked(ctl::MixedSize));
        EXPECT_FALSE(dialog->IsChecked(ctl::PrintLogo));
        for (int id : options) EXPECT_EQ(dialog->Control(id)->isEnabled(), mode == ctl::PortMode);
    }
    // After a driver-mode run every test control is enabled; no copy went to the port.
    Click(ctl::StartStop);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(dialog->IsChecked(ctl::DriverMode));
    EXPECT_TRUE(TestControlsAre(true));
    EXPECT_TRUE(harness.ports.Calls("SendData").empty());
}

// A run of five copies whose first send hangs in the port until the test lets it go.
class CopyInProgress : public ContinuousControllerTest {
protected:
    CopyInProgress() {
        harness.ports.sendResult = [this](const PortName&, int length) {
            ++arrived;
            released.wait();
            return length;
        };
        SetRun("5", "1");
        Click(ctl::StartStop);
        EXPECT_TRUE(QTest::qWaitFor([&] { return arrived > 0; }));
    }

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> arrived{0};
};

TEST_F(CopyInProgress, StopClickEndsTheRunRightAfterTheCopy) {
    Click(ctl::StartStop);
    release.set_value();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u) << "heading and text of copy 1";
    EXPECT_EQ(harness.clock.ticks.load(), 0u) << "no step of the pause was slept";
}

// The close waits for the hanging copy, serving the worker's window requests meanwhile.
TEST_F(CopyInProgress, CancelWaitsForTheCopyThenTheWindowGoes) {
    std::jthread releaser([this] {
        std::this_thread::sleep_for(50ms);
        release.set_value();
    });
    dialog->reject();
    EXPECT_EQ(dialog->StopRequested.load(), 1);
    EXPECT_TRUE(Idle(*dialog)) << "the worker's last request was served during the wait";
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u) << "copy 1 finished, no copy 2";
}

// Through the system port driver to a network printer on loopback, on the real clock.
TEST(ContinuousEndToEnd, FiveCopiesAtOneSecondReachANetworkPrinter) {
    test::LoopbackPeer peer("127.0.7.21");
    ASSERT_TRUE(peer.Listening());
    test::DialogHarness h;
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    const int ipEntry = driver->GetCOMMax() + driver->GetLPTMax() + driver->GetUSBPort();
    h.WriteFile("Option.ini",
                "[System]\nPort=" + std::to_string(ipEntry) + "\nIp1=127\nIp2=0\nIp3=7\nIp4=21\n");
    SystemTickClock clock;
    MainTestDialog dialog(AppServices{*driver, h.messages, h.files, clock, h.noPrinters});
    ASSERT_EQ(dialog.ControlText(ctl::PortList), QStringLiteral("IP"));
    dialog.SetControlText(ctl::TextBox, QStringLiteral("fatigue"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("5"));
    dialog.SetControlText(ctl::Interval, QStringLiteral("1"));

    const auto started = std::chrono::steady_clock::now();
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(dialog); }, 30000));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 4s) << "four pauses of a second";
    // 当前第n份,时间:h:m:s CR LF CR LF in GBK, then the text, for n = 1..5.
    std::string copies;
    for (int n = 1; n <= 5; ++n) {
        copies += kHeadingStart + std::to_string(n) +
                  "\xB7\xDD,\xCA\xB1\xBC\xE4:[0-9]+:[0-9]+:[0-9]+\r\n\r\nfatigue\r\n";
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::regex_match(peer.Received(), std::regex(copies)); }, 5000))
        << peer.Received();
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
