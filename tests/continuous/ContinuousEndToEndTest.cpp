// The fatigue test through the system port driver to a network printer on loopback, on
// the real clock.
#include <gtest/gtest.h>
#include <QTest>

#include <regex>

#include "LoopbackPeer.h"
#include "ServeUntil.h"
#include "app/ControlTable.h"
#include "platform/TickClock.h"
#include "port/SystemPortDriver.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;

constexpr const char* kPeerAddress = "127.0.7.21";

struct Heading {
    int copy;
    int secondOfDay;
};

// Every port heading in `bytes`: 当前第n份,时间:h:m:s CR LF CR LF, in GBK.
std::vector<Heading> Headings(const std::string& bytes) {
    static const std::regex heading(
        "\xB5\xB1\xC7\xB0\xB5\xDA([0-9]+)\xB7\xDD,\xCA\xB1\xBC\xE4:([0-9]+):([0-9]+):([0-9]+)"
        "\r\n\r\n");
    std::vector<Heading> found;
    for (auto match = std::sregex_iterator(bytes.begin(), bytes.end(), heading);
         match != std::sregex_iterator(); ++match) {
        const auto field = [&](int i) { return std::stoi((*match)[i].str()); };
        found.push_back({field(1), field(2) * 3600 + field(3) * 60 + field(4)});
    }
    return found;
}

TEST(ContinuousEndToEnd, FiveCopiesAtOneSecondReachANetworkPrinter) {
    test::LoopbackPeer peer(kPeerAddress);
    ASSERT_TRUE(peer.Listening());

    test::DialogHarness h;
    const std::unique_ptr<PortDriver> driver = CreateSystemPortDriver();
    const int ipEntry = driver->GetCOMMax() + driver->GetLPTMax() + driver->GetUSBPort();
    h.WriteFile("Option.ini",
                "[System]\nPort=" + std::to_string(ipEntry) + "\nIp1=127\nIp2=0\nIp3=7\nIp4=21\n");
    SystemTickClock clock;
    const AppServices services{*driver, h.messages, h.files, clock, h.noPrinters};
    MainTestDialog dialog(services);
    ASSERT_EQ(dialog.ControlText(ctl::PortList), QStringLiteral("IP"));
    dialog.SetControlText(ctl::TextBox, QStringLiteral("fatigue"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("5"));
    dialog.SetControlText(ctl::Interval, QStringLiteral("1"));

    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(test::ServeUntil(
        [&] { return dialog.ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印"); },
        30s));
    ASSERT_TRUE(peer.WaitFor(
        [](const std::string& got) {
            return got.ends_with("fatigue\r\n") && Headings(got).size() == 5;
        },
        5s))
        << peer.Received();

    const std::vector<Heading> headings = Headings(peer.Received());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(headings[i].copy, i + 1);
        if (i > 0) {
            EXPECT_GT(headings[i].secondOfDay, headings[i - 1].secondOfDay) << i;
        }
    }
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
