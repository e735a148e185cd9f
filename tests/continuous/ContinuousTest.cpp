#include <gtest/gtest.h>
#include <QTest>

#include <algorithm>
#include <future>
#include <regex>
#include <thread>

#include "LoopbackPeer.h"
#include "continuous/CopyComposition.h"
#include "gui/ControlTable.h"
#include "platform/TickClock.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"
#include "support/ExpectedCommandBytes.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;
using test::Hex;
using test::ToHex;
using Sends = std::vector<std::string>;

constexpr TimeOfDay kNineFiveThree{9, 5, 3};  // also the fake clock's time of day

TEST(CopyComposition, HeadingsPortCopiesAndMixedSizeBodies) {
    EXPECT_EQ(ToHex(PortCopyHeading(12, {23, 59, 0})),
              "B5 B1 C7 B0 B5 DA 31 32 B7 DD 2C CA B1 BC E4 3A 32 33 3A 35 39 3A 30 0D 0A 0D 0A");
    EXPECT_EQ(
        ToHex(DriverCopyHeading(7, kNineFiveThree)),
        "B5 B1 C7 B0 B5 DA 37 B7 DD 2C 20 CA B1 BC E4 3A 30 39 3A 30 35 3A 30 33 0D 0A 0D 0A");
    // Heading 当前第1份,时间:9:5:3, logo, body, cut tail; mixed size sends the body bytewise.
    EXPECT_EQ(ToHex(PortCopySends(1, kNineFiveThree, "AB", {true, true, true})),
              (Sends{"B5 B1 C7 B0 B5 DA 31 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A",
                     "1C 70 01 30", "41", "42", "0D", "0A", "1D 21 00",
                     "0D 0A 0D 0A 0D 0A 0D 0A 1B 69"}));

    // 21 × 中 pass the threshold in high bytes: the 21st character alone gets a size.
    Sends expected;
    std::string body;
    for (int i = 0; i < 20; ++i) expected.insert(expected.end(), {"D6", "D0"});
    for (int i = 0; i < 21; ++i) body += Hex("D6 D0");
    expected.insert(expected.end(), {"1D 21 11", "D6", "D0", "0D", "0A", "1D 21 00"});
    EXPECT_EQ(ToHex(MixedSizeBodySends(body + "\r\n")), expected);

    // 41 single bytes pass the threshold. 丂 (81 40) has a second byte below 80: later
    // commands fall inside 中 and before 'b'.
    expected.assign(41, "61");
    expected.insert(expected.end(),
                    {"1D 21 11", "81", "1D 21 22", "40", "D6", "1D 21 33", "D0", "1D 21 00", "62",
                     "1D 21 11", "0D", "1D 21 22", "0A", "1D 21 00"});
    EXPECT_EQ(ToHex(MixedSizeBodySends(std::string(41, 'a') + Hex("81 40 D6 D0 62 0D 0A"))),
              expected);
}

bool Idle(MainTestDialog& dialog) {
    return dialog.ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印");
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
    // A test that failed while the worker was held lets it finish, so the window can go.
    ~ContinuousControllerTest() override { harness.clock.ReleaseSleeps(); }
    void Start(const char* copies, const char* seconds) {
        dialog->SetControlText(ctl::Copies, QString::fromLatin1(copies));
        dialog->SetControlText(ctl::Interval, QString::fromLatin1(seconds));
        QTest::mouseClick(dialog->Control(ctl::StartStop), Qt::LeftButton);
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

TEST_F(ContinuousControllerTest, CopiesNumberedFromOneTwoSecondsApartReadTheOptionsAfresh) {
    holdAt = 4;
    dialog->SetControlText(ctl::TextBox, QString::fromUtf8("中"));
    dialog->SetChecked(ctl::PrintLogo, true);
    dialog->SetChecked(ctl::AutoCut, true);
    Start("2", "2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sends == 4; }));  // in the cut of copy 1
    dialog->SetChecked(ctl::AutoCut, false);
    release.set_value();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(*dialog); }));

    // Per copy: heading n, logo, 中 CR LF, then the cut tail while auto cut was on.
    const std::string time = " " + test::kCopyHeadingTimeHex + " 39 3A 35 3A 33 0D 0A 0D 0A";
    EXPECT_EQ(
        ToHex(harness.ports.SentBlocks()),
        (Sends{test::kCopyHeadingStartHex + " 31" + time, test::kPrintNvLogoHex, "D6 D0 0D 0A",
               test::kCopyCutTailHex, test::kCopyHeadingStartHex + " 32" + time,
               test::kPrintNvLogoHex, "D6 D0 0D 0A"}));
    // The pause ends at the first 10 ms step past 2 s; none after the last copy.
    EXPECT_EQ((sentAt.at(4) - sentAt.at(3)) / 10, 200u);
    EXPECT_EQ(harness.clock.ticks.load(), sentAt.back());
}

TEST_F(ContinuousControllerTest, StopDuringAPauseEndsTheRunWithinOneStep) {
    harness.clock.HoldSleeps();
    Start("5", "86400");
    // Ten steps of the pause pass; the worker then waits inside the eleventh.
    harness.clock.Grant(10);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return harness.clock.WaitingForGrant() && harness.clock.ticks == 100; }));
    QTest::mouseClick(dialog->Control(ctl::StartStop), Qt::LeftButton);
    harness.clock.ReleaseSleeps();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(*dialog); }));
    EXPECT_EQ(harness.clock.ticks.load(), 110u) << "the step under way ends, no further step";
    EXPECT_EQ(sends.load(), 2) << "heading and text of copy 1";
}

TEST_F(ContinuousControllerTest, ANewRunNeverInterleavesWithTheEndOfThePrevious) {
    for (int run = 0; run < 20; ++run) {
        Start("2", "1");
        ASSERT_TRUE(QTest::qWaitFor([&] {
            EXPECT_TRUE(
                Idle(*dialog) ||
                std::ranges::none_of(TestControlIds(),
                                     [&](int id) { return dialog->Control(id)->isEnabled(); }))
                << "run " << run;
            return Idle(*dialog);
        }));
    }
    EXPECT_EQ(sends.load(), 80);
}

// The printer goes after copy 1: the run goes on, the button flips back, and one box says
// how many copies were lost, which first and why.
TEST_F(ContinuousControllerTest, LostCopiesAreToldInOneBoxOnceTheRunIsOver) {
    harness.ports.errorText = "open /dev/ttyS0: " + std::generic_category().message(ENOENT);
    harness.ports.sendResult = [this](const PortName&, int length) {
        return ++sends > 2 ? 0 : length;  // heading and text of copy 1 go, nothing after
    };
    dialog->SetControlText(ctl::TextBox, QStringLiteral("AB"));
    Start("3", "1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(*dialog); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !harness.messages.shown.empty(); }));
    QTest::qWait(50);
    EXPECT_EQ(sends.load(), 6) << "every copy was tried";
    ASSERT_EQ(harness.messages.shown.size(), 1u);
    // Each copy is its 24-byte heading and "AB" CR LF.
    EXPECT_EQ(harness.messages.shown[0].text,
              QString::fromUtf8("连续打印 3 份,有 2 份没有完全发送成功!第一份是第 2 份\n"
                                "“开始连续打印”的数据没有全部发送到 COM1,已发送字节:28/84。\n"
                                "错误:open /dev/ttyS0: ") +
                  QString::fromStdString(std::generic_category().message(ENOENT)) +
                  QString::fromUtf8("\n提示:设备不存在。请检查打印机是否已连接并打开电源。"));
    EXPECT_EQ(harness.messages.shown[0].icon, MessageIcon::Exclamation);
}

// The close waits for the held copy, serving the worker's window requests meanwhile.
TEST_F(ContinuousControllerTest, CloseDuringAHeldCopyWaitsForItThenTheWindowGoes) {
    holdAt = 1;
    Start("5", "1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sends == 1; }));
    std::jthread releaser([this] {
        std::this_thread::sleep_for(50ms);
        release.set_value();
    });
    dialog->reject();
    EXPECT_TRUE(Idle(*dialog)) << "the worker's last request was served during the wait";
    EXPECT_EQ(sends.load(), 2) << "copy 1 finished, no copy 2";
}

// Through the system port driver to a network printer on loopback, on the real clock.
TEST(ContinuousEndToEnd, ThreeCopiesReachANetworkPrinter) {
    test::LoopbackPeer peer(test::LoopbackAddress(7, 21));
    ASSERT_TRUE(peer.Listening());
    test::DialogHarness h;
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    const int ipEntry = driver->GetCOMMax() + driver->GetLPTMax() + driver->GetUSBPort();
    h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(ipEntry) + "\n" +
                                  test::LoopbackIpSettings(7, 21));
    SystemTickClock clock;
    MainTestDialog dialog(AppServices{*driver, h.messages, h.files, clock, h.noPrinters});
    dialog.SetControlText(ctl::TextBox, QStringLiteral("fatigue"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("3"));
    dialog.SetControlText(ctl::Interval, QStringLiteral("1"));
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(dialog); }, 30000));

    // 当前第n份,时间:h:m:s CR LF CR LF in GBK, then the text, for n = 1..3 and nothing else.
    const std::string heading = Hex(test::kCopyHeadingStartHex);
    const std::string rest =
        Hex(test::kCopyHeadingTimeHex) + "[0-9]+:[0-9]+:[0-9]+\r\n\r\nfatigue\r\n";
    const std::regex copies(heading + '1' + rest + heading + '2' + rest + heading + '3' + rest);
    std::string received;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return std::regex_match(received = peer.Received(), copies); }, 5000))
        << received;
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
