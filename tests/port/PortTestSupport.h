#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "port/FdIo.h"
#include "port/LinuxPortDriver.h"
#include "support/HexBytes.h"
#include "support/LoopbackAddress.h"

namespace quillora::test {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// `size` bytes of a pattern that no shift or truncation preserves.
inline std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    std::mt19937 random(7);
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

// By default: read bound 200 ms, no failing fast, a write bound long enough for ASan.
inline LinuxPortDriver DriverWith(const std::string& overrides,
                                  const PortTimeouts& timeouts = {500ms, 5s, 200ms, 0ms}) {
    return LinuxPortDriver(BuildDeviceTable(ParsePortOverrides(overrides)), timeouts, {});
}

inline int Send(PortDriver& driver, const PortName& port, const std::string& bytes) {
    return driver.SendData(port, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           static_cast<int>(bytes.size()));
}

// Reads `count` bytes from a descriptor (fewer if it ends or `timeout` passes).
inline std::string ReceiveFrom(int fd, std::size_t count, std::chrono::milliseconds timeout = 2s) {
    std::string bytes(count, '\0');
    auto* buffer = reinterpret_cast<std::uint8_t*>(bytes.data());
    bytes.resize(ReadUpTo(fd, buffer, count, timeout, FdIoOptions{}).count);
    return bytes;
}

// A serial printer: the test plays it on the master side.
struct PseudoTerminal {
    PseudoTerminal() {
        int masterFd = -1, slaveFd = -1;
        char name[256] = {};
        EXPECT_EQ(openpty(&masterFd, &slaveFd, name, nullptr, nullptr), 0);
        master = UniqueFd(masterFd), slave = UniqueFd(slaveFd), slavePath = name;
        fcntl(masterFd, F_SETFL, fcntl(masterFd, F_GETFL) | O_NONBLOCK);
    }
    std::string Receive(std::size_t count) const { return ReceiveFrom(master.Get(), count); }
    UniqueFd master, slave;
    std::string slavePath;
};

// A network printer listening on port 9100 of LoopbackAddress(3, host).
struct LoopbackPrinter {
    static std::string Address(int host) { return LoopbackAddress(3, host); }
    explicit LoopbackPrinter(int host, int backlog = 8)
        : listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int on = 1;
        setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{AF_INET, htons(9100), {}, {}};
        inet_pton(AF_INET, Address(host).c_str(), &address.sin_addr);
        EXPECT_EQ(bind(listener.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0)
            << Address(host) << ": " << strerror(errno);
        EXPECT_EQ(listen(listener.Get(), backlog), 0);
    }
    // The next connection, or an invalid fd when none comes within `timeout`.
    UniqueFd Accept(std::chrono::milliseconds timeout = 2s) const {
        pollfd entry{listener.Get(), POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(timeout.count())) != 1) return {};
        return UniqueFd(accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    }
    UniqueFd listener;
};

// A network printer that never answers: it never accepts, and its queue is full, so a
// handshake with it hangs until the client gives up.
struct SilentPrinter {
    explicit SilentPrinter(int host) : printer(host, 0) {
        std::error_code ignored;
        const std::uint32_t ipv4 = ParsePortName(LoopbackPrinter::Address(host)).ipv4;
        for (UniqueFd& fd : queued) fd = ConnectTcp(ipv4, kPrinterTcpPort, 200ms, ignored);
    }
    LoopbackPrinter printer;
    UniqueFd queued[2];
};

inline std::string FileContents(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

inline std::chrono::milliseconds ElapsedSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

}  // namespace quillora::test
