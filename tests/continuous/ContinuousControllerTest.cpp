#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "ServeUntil.h"
#include "app/ControlTable.h"
#include "support/DialogHarness.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;
using test::ServeUntil;
using test::ToHex;

const QString kStart = QString::fromUtf8("开始连续打印");
const QString kStop = QString::fromUtf8("结束连续打印");
// "当前第" in GBK: the start of every port heading.
const std::string kHeadingStart = test::Hex("B5 B1 C7 B0 B5 DA");

class ContinuousControllerTest : public testing::Test {
protected:
    ContinuousControllerTest() {
        harness.ports.comCount = 1;  // COM1, IP; the saved selection 0 is COM1
        dialog = &harness.Create();
    }

    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    QAbstractButton* Button(int id) { return static_cast<QAbstractButton*>(dialog->Control(id)); }
    QString Caption() { return dialog->ControlText(ctl::StartStop); }
    bool Idle() { return Caption() == kStart; }

    void SetRun(const char* copies, const char* seconds) {
        dialog->SetControlText(ctl::Copies, QString::fromLatin1(copies));
        dialog->SetControlText(ctl::Interval, QString::fromLatin1(seconds));
    }

    // Every test control (what SetTestControlsEnabled switches) in the state `enabled`.
    ::testing::AssertionResult TestControlsAre(bool enabled) {
        for (int id : TestControlIds()) {
            if (dialog->Control(id)->isEnabled() != enabled) {
                return ::testing::AssertionFailure() << "control " << id;
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<std::string> Headings() const {
        std::vector<std::string> headings;
        for (const std::string& block : harness.ports.SentBlocks()) {
            if (block.starts_with(kHeadingStart)) headings.push_back(block);
        }
        return headings;
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
        EXPECT_EQ(Caption(), kStop);
        EXPECT_TRUE(TestControlsAre(false));
        EXPECT_TRUE(Button(ctl::StartStop)->isEnabled());

        ASSERT_TRUE(ServeUntil([&] { return Idle(); })) << copies;
        EXPECT_TRUE(TestControlsAre(true));
        EXPECT_EQ(harness.messages.shown.size(), copies[0] == '1' ? 0u : 1u) << copies;
        // 当前第1份,时间:9:5:3 and the sample text, both to COM1.
        const auto sends = harness.ports.Calls("SendData");
        ASSERT_EQ(sends.size(), 2u) << copies;
        EXPECT_EQ(ToHex(sends[0].bytes),
                  "B5 B1 C7 B0 B5 DA 31 B7 DD 2C CA B1 BC E4 3A 39 3A 35 3A 33 0D 0A 0D 0A");
        EXPECT_TRUE(sends[1].bytes.ends_with("\r\n"));
        EXPECT_EQ(sends[0].port, "COM1");
        EXPECT_EQ(sends[1].port, "COM1");
    }
}

TEST_F(ContinuousControllerTest, CopiesAreNumberedFromOneAndReadTheOptionsEachTime) {
    dialog->SetControlText(ctl::TextBox, QString::fromUtf8("中"));
    dialog->SetChecked(ctl::PrintLogo, true);
    dialog->SetChecked(ctl::AutoCut, true);
    SetRun("3", "2");
    Click(ctl::StartStop);
    ASSERT_TRUE(ServeUntil([&] { return Idle(); }));

    const std::vector<std::string> headings = Headings();
    ASSERT_EQ(headings.size(), 3u);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(headings[n - 1][6], '0' + n);  // the digit after 当前第
    }
    // Per copy: heading, logo, 中 CR LF, cut tail.
    const std::vector<std::string> blocks = harness.ports.SentBlocks();
    ASSERT_EQ(blocks.size(), 12u);
    EXPECT_EQ(ToHex(blocks[9]), "1C 70 01 30");
    EXPECT_EQ(ToHex(blocks[10]), "D6 D0 0D 0A");
    EXPECT_EQ(ToHex(blocks[11]), "0D 0A 0D 0A 0D 0A 0D 0A 1B 69");
    EXPECT_GE(harness.clock.ticks.load(), 4000u) << "two pauses of two seconds";
}

TEST_F(ContinuousControllerTest, PortEntryIpResolvesToTheAddressInTheSettingsFile) {
    harness.WriteFile("Option.ini", "[System]\r\nIp1=127\r\nIp2=0\r\nIp3=7\r\nIp4=99\r\n");
    dialog->SetControlText(ctl::TextBox, {});
    auto* list = static_cast<QComboBox*>(dialog->Control(ctl::PortList));
    list->setCurrentIndex(1);  // IP
    Click(ctl::StartStop);
    ASSERT_TRUE(ServeUntil([&] { return Idle(); }));
    for (const auto& call : harness.ports.Calls("SendData")) EXPECT_EQ(call.port, "127.0.7.99");
}

TEST_F(ContinuousControllerTest, StopDuringAPauseEndsTheRunWithinOneStep) {
    harness.clock.realSleep = 1ms;
    SetRun("5", "86400");
    Click(ctl::StartStop);
    ASSERT_TRUE(ServeUntil([&] { return harness.clock.ticks > 100; })) << "in the first pause";

    const std::uint32_t clickedAt = harness.clock.ticks;
    Click(ctl::StartStop);
    EXPECT_EQ(Caption(), kStop) << "stopping until the worker has seen the request";
    EXPECT_TRUE(TestControlsAre(false));
    ASSERT_TRUE(ServeUntil([&] { return Idle(); }));

    EXPECT_LE(harness.clock.ticks - clickedAt, 10u);
    EXPECT_EQ(Headings().size(), 1u);
    EXPECT_TRUE(TestControlsAre(true));
}

TEST_F(ContinuousControllerTest, ANewRunNeverInterleavesWithTheEndOfThePrevious) {
    // Start again the moment each run looks idle: the new run's controls must stay
    // disabled while its caption says it runs.
    SetRun("2", "1");
    for (int run = 0; run < 20; ++run) {
        Click(ctl::StartStop);
        ASSERT_TRUE(ServeUntil([&] {
            if (Caption() == kStop) {
                EXPECT_TRUE(TestControlsAre(false)) << "run " << run;
            }
            return Idle();
        }));
    }
    EXPECT_EQ(Headings().size(), 40u);
}

TEST_F(ContinuousControllerTest, PrintModeClearsAndDisablesTheOptions) {
    const int options[] = {ctl::AutoCut, ctl::MixedSize, ctl::PrintLogo};
    for (int id : options) dialog->SetChecked(id, true);
    // Driver mode clears auto cut and logo, keeps mixed size, disables all three; port mode
    // enables them again and restores no check.
    for (const int mode : {ctl::DriverMode, ctl::PortMode}) {
        Click(mode);
        EXPECT_EQ(dialog->PrintMode.load(), mode == ctl::DriverMode ? 1 : 0);
        EXPECT_FALSE(dialog->IsChecked(ctl::AutoCut));
        EXPECT_TRUE(dialog->IsChecked(ctl::MixedSize));
        EXPECT_FALSE(dialog->IsChecked(ctl::PrintLogo));
        for (int id : options) {
            EXPECT_EQ(dialog->Control(id)->isEnabled(), mode == ctl::PortMode) << id;
        }
    }
}

TEST_F(ContinuousControllerTest, AfterADriverModeRunTheOptionsAreEnabled) {
    Click(ctl::DriverMode);
    Click(ctl::StartStop);
    ASSERT_TRUE(ServeUntil([&] { return Idle(); }));
    EXPECT_TRUE(dialog->IsChecked(ctl::DriverMode));
    EXPECT_TRUE(TestControlsAre(true));
    EXPECT_TRUE(harness.ports.Calls("SendData").empty()) << "driver copies skip the port";
}

// A run of five copies whose first copy hangs in the port until the test lets it go.
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
        EXPECT_TRUE(ServeUntil([&] { return arrived > 0; }));
    }
    ~CopyInProgress() override {
        if (releaser.joinable()) releaser.join();
    }

    // Lets the port go on a little after the close has begun to wait.
    void ReleaseSoon() {
        releaser = std::thread([this] {
            std::this_thread::sleep_for(50ms);
            release.set_value();
        });
    }

    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> arrived{0};
    std::thread releaser;
};

TEST_F(CopyInProgress, StopClickEndsTheRunRightAfterTheCopy) {
    Click(ctl::StartStop);
    release.set_value();
    ASSERT_TRUE(ServeUntil([&] { return Idle(); }));

    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u) << "heading and text of copy 1";
    EXPECT_EQ(harness.clock.ticks.load(), 0u) << "no step of the pause was slept";
}

// Closing while the copy hangs: the close waits for that copy, serving the worker's window
// requests, and the worker is gone before the window is.
TEST_F(CopyInProgress, CancelWaitsForTheCopyThenTheWindowGoes) {
    ReleaseSoon();
    dialog->reject();
    EXPECT_EQ(dialog->StopRequested.load(), 1);
    EXPECT_EQ(Caption(), kStart) << "the worker's last request was served during the wait";
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u) << "copy 1 finished, no copy 2";
}

TEST_F(CopyInProgress, DestroyingTheWindowWaitsForTheCopy) {
    ReleaseSoon();
    harness.dialog.reset();
    EXPECT_EQ(harness.ports.Calls("SendData").size(), 2u);
}

}  // namespace
}  // namespace quillora
