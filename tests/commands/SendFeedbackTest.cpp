// What the user sees when a test's bytes do not all reach the printer, and while a long send
// runs: the main window over the real port driver.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

#include "commands/SendReport.h"
#include "gui/ControlTable.h"
#include "platform/CodePage936.h"
#include "port/PortTestSupport.h"
#include "support/DialogHarness.h"

namespace quillora::test {
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
std::string Reason(int error) {
    return std::generic_category().message(error);
}

const char* const kPermissionHint =
    "提示:没有访问设备的权限。请把用户加入 dialout 组(串口)和 lp 组(打印机端口),然后重新登录。";
const char* const kDeviceHint = "提示:设备不存在。请检查打印机是否已连接并打开电源。";
const char* const kNetworkHint = "提示:无法连接打印机。请检查IP地址以及打印机是否已打开电源。";

TEST(SendReportTexts, WhatWhereHowMuchTheErrorAndAHintAllInGbk) {
    const SendTally refused{0, 3, false};
    EXPECT_EQ(SendFailureText("全切", "COM2", refused, "open /dev/ttyS1: " + Reason(ENODEV)),
              "“全切”的数据没有全部发送到 COM2,已发送字节:0/3。\n错误:open /dev/ttyS1: " +
                  Reason(ENODEV) + "\n" + kDeviceHint);
    EXPECT_EQ(SendFailureText("打印文件", "", {5, 9, true}, ""),
              "“打印文件”已取消,已发送到 (未选择端口) 的字节:5/9。");
    EXPECT_EQ(SendFailureText("走纸", "LPT1", {3, 3, true}, "x"), "")
        << "every byte taken: nothing to say, cancelled or not";
    EXPECT_EQ(SendFailureHint("write /dev/usb/lp0: " + Reason(EPERM)), kPermissionHint);
    EXPECT_EQ(SendFailureHint("connect 127.0.0.1:9100: " + Reason(EHOSTUNREACH)), kNetworkHint);
    EXPECT_EQ(SendFailureHint("write /dev/pts/3: " + Reason(ECANCELED)), "");
    EXPECT_EQ(FileUnreadableText("/tmp/a.prn", std::error_code(EISDIR, std::generic_category())),
              "无法读取文件 /tmp/a.prn\n错误:" + Reason(EISDIR));
    EXPECT_EQ(SendProgressText("COM1", 2048, 4096, 1024),
              "正在发送到 COM1:2048/4096 字节,1024 字节/秒");

    const std::string texts[] = {SendFailureText("全切", "USB1", refused, ""),
                                 SendFailureText("全切", "", {1, 3, true}, ""),
                                 kPermissionHint,
                                 kDeviceHint,
                                 kNetworkHint,
                                 FileUnreadableText("a", {}),
                                 SendProgressText("COM1", 1, 2, 3),
                                 SendCancellingText()};
    for (const std::string& text : texts) EXPECT_EQ(FromGbk(ToGbk(text)), text) << text;
}

// A path that open() refuses with EACCES: a file of mode 000 for a user without
// CAP_DAC_OVERRIDE; for root, a read-only kernel setting, which refuses writers whoever
// they are.
std::string PermissionDeniedPath(const QTemporaryDir& dir) {
    if (geteuid() != 0) {
        const std::string path = dir.filePath(QStringLiteral("lp-denied")).toStdString();
        std::ofstream(path) << "";
        chmod(path.c_str(), 0);
        return path;
    }
    return "/proc/sys/kernel/osrelease";
}

// The main window over a LinuxPortDriver with the given devices (list: COM1, LPT1, IP).
class WindowOnDriver {
public:
    enum Entry { kCom1, kLpt1, kIp };

    WindowOnDriver(DeviceTable devices, Entry selected, int ipHost,
                   const PortTimeouts& timeouts = {300ms, 5s, 200ms, 0ms})
        : driver(std::move(devices), timeouts, {}) {
        h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(selected) + "\n" +
                                      LoopbackIpSettings(3, ipHost));
        services = std::make_unique<AppServices>(
            AppServices{driver, h.messages, h.files, h.clock, h.noPrinters});
        dialog = std::make_unique<MainTestDialog>(*services);
        dialog->show();
    }
    void Click(int id) { QTest::mouseClick(dialog->Control(id), Qt::LeftButton); }

    DialogHarness h;
    LinuxPortDriver driver;
    std::unique_ptr<AppServices> services;
    std::unique_ptr<MainTestDialog> dialog;
};

DeviceTable Devices(const std::string& com1, const std::string& lpt1) {
    DeviceTable devices;
    devices.serial = {{com1, false}};
    devices.parallel = {{lpt1, true}};
    return devices;
}

TEST(SendFailureReports, EachCauseGivesTheDriversErrorAndItsHintSuccessSaysNothing) {
    QTemporaryDir dir;
    const std::string missing = dir.filePath(QStringLiteral("ttyMissing")).toStdString();
    const std::string denied = PermissionDeniedPath(dir);
    {
        // The stand-in must really refuse with EACCES, or this case proves nothing.
        std::error_code probe;
        OpenDevice(denied, true, probe);
        ASSERT_EQ(probe, std::errc::permission_denied) << denied;
    }
    const std::string unreachable = LoopbackPrinter::Address(24);
    const SilentPrinter silent(24);
    const std::string refusing = LoopbackPrinter::Address(25);  // nobody listens there

    struct Case {
        WindowOnDriver::Entry entry;
        int ipHost;
        std::string port, error;
        const char* hint;
    };
    const Case cases[] = {
        {WindowOnDriver::kIp, 24, unreachable,
         "connect " + unreachable + ":9100: " + Reason(ETIMEDOUT), kNetworkHint},
        {WindowOnDriver::kIp, 25, refusing,
         "connect " + refusing + ":9100: " + Reason(ECONNREFUSED), kNetworkHint},
        {WindowOnDriver::kLpt1, 25, "LPT1", "open " + denied + ": " + Reason(EACCES),
         kPermissionHint},
        {WindowOnDriver::kCom1, 25, "COM1", "open " + missing + ": " + Reason(ENOENT), kDeviceHint},
    };
    for (const Case& test : cases) {
        WindowOnDriver window(Devices(missing, denied), test.entry, test.ipHost);
        window.Click(ctl::FullCut);
        ASSERT_EQ(window.h.messages.shown.size(), 1u) << test.error;
        EXPECT_EQ(window.h.messages.shown[0].text,
                  Text("“全切”的数据没有全部发送到 ") + QString::fromStdString(test.port) +
                      Text(",已发送字节:0/3。\n错误:") + QString::fromStdString(test.error) + "\n" +
                      Text(test.hint));
        EXPECT_EQ(window.h.messages.shown[0].icon, MessageIcon::Exclamation);
    }

    const std::string printer = dir.filePath(QStringLiteral("lp1.out")).toStdString();
    WindowOnDriver window(Devices(missing, printer), WindowOnDriver::kLpt1, 25);
    window.Click(ctl::FullCut);
    EXPECT_EQ(ToHex(FileContents(printer)), "1D 56 00");
    EXPECT_TRUE(window.h.messages.shown.empty());

    // A print file that cannot be read is named with the reason.
    window.h.files.answers.push_back(QString::fromStdString(dir.path().toStdString()));
    window.Click(ctl::PrintFile);
    ASSERT_EQ(window.h.messages.shown.size(), 1u);
    EXPECT_EQ(window.h.messages.shown[0].text,
              QString::fromStdString(FileUnreadableText(
                  dir.path().toStdString(), std::error_code(EISDIR, std::generic_category()))));
    EXPECT_EQ(window.h.messages.shown[0].icon, MessageIcon::Exclamation);
}

// A serial printer that takes 10 KiB a second: 1024 bytes every 100 ms from the master side.
class SlowSerialReader {
public:
    explicit SlowSerialReader(int master)
        : master_(master), thread_([this](std::stop_token stop) { Read(stop); }) {}
    // From now on as fast as bytes come.
    void Hurry() { hurry_ = true; }
    std::string Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    void Read(std::stop_token stop) {
        while (!stop.stop_requested()) {
            std::uint8_t chunk[1024];
            const IoOutcome got = ReadUpTo(master_, chunk, sizeof chunk, 100ms, FdIoOptions{});
            {
                std::lock_guard lock(mutex_);
                received_.append(reinterpret_cast<const char*>(chunk), got.count);
            }
            if (!hurry_ && got.count == sizeof chunk) std::this_thread::sleep_for(100ms);
        }
    }

    const int master_;
    std::atomic<bool> hurry_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::jthread thread_;  // last: it uses the fields above
};

TEST(BackgroundSend, OneMebibyteToASlowSerialPrinterShowsProgressKeepsTheWindowLiveAndCancels) {
    PseudoTerminal terminal;
    const std::string file = Pattern(1 << 20);
    WindowOnDriver window(Devices(terminal.slavePath, "/nonexistent/lp"), WindowOnDriver::kCom1, 26,
                          {300ms, 30s, 200ms, 0ms});
    window.h.WriteFile("big.prn", file);
    window.h.files.answers.push_back(QString::fromStdString(window.h.Path("big.prn")));
    SlowSerialReader reader(terminal.master.Get());
    window.dialog->grab();  // painted once, as a user sees it before clicking

    using Clock = std::chrono::steady_clock;
    Clock::time_point lastTick{}, shownAt{}, cancelledAt{};
    Clock::duration longestGap{};
    Clock::time_point longestGapEnd{};
    bool controlsDisabled = false;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (lastTick != Clock::time_point{} && now - lastTick > longestGap) {
            longestGap = now - lastTick;
            longestGapEnd = now;
        }
        lastTick = now;
        auto* progress = window.dialog->findChild<QWidget*>(QStringLiteral("sendProgress"));
        if (progress == nullptr || !progress->isVisible() || cancelledAt != Clock::time_point{})
            return;
        if (shownAt == Clock::time_point{}) {
            shownAt = now;
            controlsDisabled = !window.dialog->Control(ctl::PrintFile)->isEnabled() &&
                               !window.dialog->Control(ctl::FullCut)->isEnabled();
        }
        if (now - shownAt < 1s) return;
        cancelledAt = now;
        QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("cancelSend")),
                          Qt::LeftButton);
    });
    ticks.start(10);
    window.Click(ctl::PrintFile);  // returns when the send is over
    const Clock::time_point endedAt = Clock::now();
    ticks.stop();

    ASSERT_NE(shownAt, Clock::time_point{}) << "the progress dialog never appeared";
    ASSERT_NE(cancelledAt, Clock::time_point{});
    EXPECT_TRUE(controlsDisabled);
    EXPECT_TRUE(window.dialog->Control(ctl::PrintFile)->isEnabled());
    EXPECT_LE(endedAt - cancelledAt, 1s);
    // The cancel landing mid-send (below) is the proof the window kept handling events; the
    // gap's bound only catches a freeze, and stays generous for a loaded machine.
    EXPECT_LE(longestGap, 1s) << "the window stopped handling events for a while, until "
                                 << (longestGapEnd - shownAt) / 1ms
                                 << " ms after the dialog showed";

    ASSERT_EQ(window.h.messages.shown.size(), 1u);
    EXPECT_EQ(window.h.messages.shown[0].icon, MessageIcon::Exclamation);
    const QRegularExpressionMatch report =
        QRegularExpression(Text("^“打印文件”已取消,已发送到 COM1 的字节:(\\d+)/1048576。\n错误:"
                                "write ") +
                           QRegularExpression::escape(QString::fromStdString(terminal.slavePath)) +
                           ": " + QString::fromStdString(Reason(ECANCELED)) + "$")
            .match(window.h.messages.shown[0].text);
    ASSERT_TRUE(report.hasMatch()) << window.h.messages.shown[0].text.toStdString();
    const std::size_t sent = report.captured(1).toULongLong();
    EXPECT_GT(sent, 0u);
    EXPECT_LT(sent, file.size());

    // Everything the driver took arrives, and nothing after it.
    reader.Hurry();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reader.Received().size() >= sent; }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(reader.Received().size(), sent);
    EXPECT_TRUE(reader.Received() == file.substr(0, sent)) << "not the file's prefix";
}

}  // namespace
}  // namespace quillora::test
