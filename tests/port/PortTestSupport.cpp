#include "PortTestSupport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>

namespace quillora::test {

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 2463534242u;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state);
    }
    return bytes;
}

PortTimeouts QuickTimeouts() {
    return {500ms, 5s, 200ms, 0ms};
}

LinuxPortDriver DriverWith(const std::string& overrides, const PortTimeouts& timeouts) {
    return LinuxPortDriver(BuildDeviceTable(ParsePortOverrides(overrides)), timeouts, {});
}

int Send(PortDriver& driver, const PortName& port, const std::string& bytes) {
    return driver.SendData(port, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           static_cast<int>(bytes.size()));
}

std::string Read(PortDriver& driver, const PortName& port, int count) {
    std::string buffer(static_cast<size_t>(count), '\0');
    const int got = driver.ReadData(port, reinterpret_cast<std::uint8_t*>(buffer.data()), count);
    buffer.resize(static_cast<size_t>(std::max(got, 0)));
    return buffer;
}

PseudoTerminal::PseudoTerminal() {
    int masterFd = -1, slaveFd = -1;
    char name[256] = {};
    EXPECT_EQ(openpty(&masterFd, &slaveFd, name, nullptr, nullptr), 0);
    master = UniqueFd(masterFd);
    slave = UniqueFd(slaveFd);
    slavePath = name;
    fcntl(masterFd, F_SETFL, fcntl(masterFd, F_GETFL) | O_NONBLOCK);
}

std::string PseudoTerminal::Receive(std::size_t count, std::chrono::milliseconds timeout) const {
    return ReceiveFrom(master.Get(), count, timeout);
}

void PseudoTerminal::Reply(const std::string& bytes) const {
    SendTo(master.Get(), bytes);
}

void PseudoTerminal::AwaitDelivered() const {
    pollfd entry{slave.Get(), POLLIN, 0};
    ASSERT_EQ(poll(&entry, 1, 2000), 1);
}

std::string LoopbackPrinter::Address(int host) {
    return "127.3." + std::to_string(getpid() % 250 + 1) + "." + std::to_string(host);
}

LoopbackPrinter::LoopbackPrinter(int host, int backlog)
    : listener_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    const int on = 1;
    setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(9100);
    inet_pton(AF_INET, Address(host).c_str(), &address.sin_addr);
    EXPECT_EQ(bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0)
        << Address(host) << ": " << strerror(errno);
    EXPECT_EQ(listen(listener_.Get(), backlog), 0);
}

UniqueFd LoopbackPrinter::Accept(std::chrono::milliseconds timeout) const {
    pollfd entry{listener_.Get(), POLLIN, 0};
    if (poll(&entry, 1, static_cast<int>(timeout.count())) != 1) return {};
    UniqueFd connection(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    return connection;
}

std::string ReceiveFrom(int fd, std::size_t count, std::chrono::milliseconds timeout) {
    std::string bytes(count, '\0');
    const IoOutcome outcome =
        ReadUpTo(fd, reinterpret_cast<std::uint8_t*>(bytes.data()), count, timeout, FdIoOptions{});
    bytes.resize(outcome.count);
    return bytes;
}

void SendTo(int fd, const std::string& bytes) {
    struct stat status {};
    fstat(fd, &status);
    const IoOutcome outcome =
        WriteAll(fd, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 2s,
                 FdIoOptions{S_ISSOCK(status.st_mode), false});
    ASSERT_EQ(outcome.count, bytes.size()) << outcome.error.message();
}

std::string FileContents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::chrono::milliseconds ElapsedSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

}  // namespace quillora::test
