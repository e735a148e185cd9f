// The command buttons through the real port driver: a pseudo-terminal peer that answers
// status queries as a printer does, and a printer's raw TCP port on a loopback address.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "commands/CommandDialogFixture.h"
#include "port/FdIo.h"
#include "port/SystemPortDriver.h"

namespace quillora::test {
namespace {

using namespace std::chrono_literals;

// Bytes that a peer has received, for a test that waits for them.
class Inbox {
public:
    void Add(const char* bytes, size_t count) {
        std::lock_guard lock(mutex_);
        bytes_.append(bytes, count);
        arrived_.notify_all();
    }
    std::string WaitFor(size_t count, std::chrono::milliseconds limit) {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, limit, [&] { return bytes_.size() >= count; });
        return bytes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string bytes_;
};

// Reads what is ready on `fd` within 20 ms; false at end of data or on an error.
bool ReadSome(int fd, std::string& into) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 20) <= 0) return true;
    char buffer[512];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) return false;
    into.assign(buffer, size_t(got));
    return true;
}

// A printer on a serial line: each complete query gets its scripted reply.
class PtyPrinter {
public:
    explicit PtyPrinter(std::map<std::string, std::string> replies)
        : master_(::posix_openpt(O_RDWR | O_NOCTTY)), replies_(std::move(replies)) {
        if (!master_.Valid() || ::grantpt(master_.Get()) != 0 || ::unlockpt(master_.Get()) != 0) {
            return;
        }
        path_ = ::ptsname(master_.Get());
        // Held open so that the line stays up between the driver's own opens.
        slave_ = std::make_unique<UniqueFd>(::open(path_.c_str(), O_RDWR | O_NOCTTY));
        termios raw{};
        ::tcgetattr(slave_->Get(), &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_->Get(), TCSANOW, &raw);
        peer_ = std::jthread([this](std::stop_token stop) { Serve(stop); });
    }

    const std::string& Path() const { return path_; }
    Inbox received;

private:
    void Serve(std::stop_token stop) {
        std::string pending, chunk;
        while (!stop.stop_requested() && ReadSome(master_.Get(), chunk)) {
            if (chunk.empty()) continue;
            received.Add(chunk.data(), chunk.size());
            pending += chunk;
            chunk.clear();
            if (const auto reply = replies_.find(pending); reply != replies_.end()) {
                pending.clear();
                if (::write(master_.Get(), reply->second.data(), reply->second.size()) < 0) return;
            }
        }
    }

    UniqueFd master_;
    std::unique_ptr<UniqueFd> slave_;
    std::string path_;
    const std::map<std::string, std::string> replies_;
    std::jthread peer_;
};

// A network printer's raw port (9100) on a loopback address; keeps what it is sent.
class TcpPrinter {
public:
    explicit TcpPrinter(const char* address) : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        const int yes = 1;
        ::setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(9100);
        ::inet_pton(AF_INET, address, &where.sin_addr);
        listening_ =
            ::bind(listener_.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where) == 0 &&
            ::listen(listener_.Get(), 1) == 0;
        if (listening_) peer_ = std::jthread([this](std::stop_token stop) { Serve(stop); });
    }

    bool Listening() const { return listening_; }
    Inbox received;

private:
    void Serve(std::stop_token stop) {
        pollfd incoming{listener_.Get(), POLLIN, 0};
        while (!stop.stop_requested() && ::poll(&incoming, 1, 20) == 0) {
        }
        if (stop.stop_requested()) return;
        const UniqueFd connection(::accept(listener_.Get(), nullptr, nullptr));
        std::string chunk;
        while (!stop.stop_requested() && ReadSome(connection.Get(), chunk)) {
            received.Add(chunk.data(), chunk.size());
            chunk.clear();
        }
    }

    UniqueFd listener_;
    bool listening_ = false;
    std::jthread peer_;
};

// The main window over the system port driver, its ports named by QUILLORA_PORTS:
// COM1 the pseudo-terminal, LPT1 and USB1 plain files; so the list is COM1 LPT1 USB1 IP.
class PortEndToEnd : public testing::Test {
protected:
    void Open(const std::string& serialPath, int selected, const std::string& ip) {
        const std::string ports =
            "COM1=" + serialPath + ";LPT1=" + h.Path("lpt1.out") + ";USB1=" + h.Path("usb1.out");
        ::setenv("QUILLORA_PORTS", ports.c_str(), 1);
        driver_ = CreateSystemPortDriver();
        ::unsetenv("QUILLORA_PORTS");
        h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(selected) + "\n" + ip +
                                      "[COM1]\nBaudrate=19200\n");
        services_ = std::make_unique<AppServices>(
            AppServices{*driver_, h.messages, h.files, h.clock, h.noPrinters});
        dialog_ = std::make_unique<MainTestDialog>(*services_);
        dialog_->show();
    }

    void Click(int id) { QTest::mouseClick(dialog_->Control(id), Qt::LeftButton); }

    std::vector<QString> Shown() const {
        std::vector<QString> texts;
        for (const auto& shown : h.messages.shown) texts.push_back(shown.text);
        return texts;
    }

    DialogHarness h;
    std::unique_ptr<PortDriver> driver_;
    std::unique_ptr<AppServices> services_;
    std::unique_ptr<MainTestDialog> dialog_;
};

const std::string kNearEndQuery("\x10\x04\x04", 3);
const std::string kPaperTakenQuery("\x1D\x46\x01", 3);
const std::string kSerialStatusQuery("\x10\x04\x02\x10\x04\x04", 6);

TEST_F(PortEndToEnd, StatusQueriesOverASerialLineShowThePrintersReplies) {
    PtyPrinter printer(
        {{kNearEndQuery, "\x0C"}, {kPaperTakenQuery, "\x12"}, {kSerialStatusQuery, "\x36\x1E"}});
    ASSERT_FALSE(printer.Path().empty());
    Open(printer.Path(), 0, "");
    Click(ctl::NearEndQuery);
    Click(ctl::PaperTakenQuery);
    Click(ctl::SerialStatus);
    EXPECT_EQ(Shown(),
              (std::vector<QString>{QString::fromUtf8("纸将尽"), QString::fromUtf8("有纸!"),
                                    QString::fromUtf8("返回值:0x36,0x1e,盖打开,缺纸,纸将尽")}));
    EXPECT_EQ(ToHex(printer.received.WaitFor(12, 2s)), "10 04 04 1D 46 01 10 04 02 10 04 04");
    for (const auto& shown : h.messages.shown) EXPECT_EQ(shown.icon, MessageIcon::Information);
}

TEST_F(PortEndToEnd, ASilentOrHalfAnsweringPrinterIsAReadFailure) {
    // Answers the two-byte query with one byte and the paper-taken query not at all.
    PtyPrinter printer({{kSerialStatusQuery, "\x12"}});
    ASSERT_FALSE(printer.Path().empty());
    Open(printer.Path(), 0, "");
    Click(ctl::SerialStatus);
    Click(ctl::PaperTakenQuery);
    EXPECT_EQ(Shown(), (std::vector<QString>{QString::fromUtf8("读取数据失败!"),
                                             QString::fromUtf8("读取返回数据失败!")}));
}

TEST_F(PortEndToEnd, BarcodePageReachesANetworkPrinter) {
    TcpPrinter printer("127.0.4.21");
    ASSERT_TRUE(printer.Listening());
    Open(h.Path("unused-serial"), 3, "Ip1=127\nIp2=0\nIp3=4\nIp4=21\n");
    Click(ctl::Barcode);
    std::string expectedHex;
    for (const std::string& block : expected::kBarcodePage) {
        expectedHex += (expectedHex.empty() ? "" : " ") + block;
    }
    EXPECT_EQ(ToHex(printer.received.WaitFor(150, 5s)), expectedHex);
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora::test
