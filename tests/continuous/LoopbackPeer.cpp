#include "LoopbackPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillora::test {
namespace {

constexpr std::uint16_t kRawPrinterPort = 9100;
constexpr int kPollMilliseconds = 20;
constexpr int kBindAttempts = 250;  // five seconds

// Waits briefly for `fd` to become readable, so that a stop request is seen soon.
bool Readable(int fd) {
    pollfd ready{fd, POLLIN, 0};
    return ::poll(&ready, 1, kPollMilliseconds) > 0;
}

// Binds, retrying for a while: a run that just ended may still hold the address.
bool Bind(int fd, const sockaddr_in& where) {
    for (int attempt = 0; attempt < kBindAttempts; ++attempt) {
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
    return false;
}

}  // namespace

LoopbackPeer::LoopbackPeer(const std::string& address) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(kRawPrinterPort);
    if (::inet_pton(AF_INET, address.c_str(), &where.sin_addr) == 1 && Bind(fd, where) &&
        ::listen(fd, 4) == 0) {
        listener_ = fd;
        server_ = std::jthread([this](std::stop_token stop) { Serve(stop); });
    } else if (fd >= 0) {
        ::close(fd);
    }
}

LoopbackPeer::~LoopbackPeer() {
    if (server_.joinable()) {
        server_.request_stop();
        server_.join();
    }
    if (listener_ >= 0) ::close(listener_);
}

std::string LoopbackPeer::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}

bool LoopbackPeer::WaitFor(const std::function<bool(const std::string&)>& enough,
                           std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, timeout, [&] { return enough(received_); });
}

void LoopbackPeer::Serve(std::stop_token stop) {
    while (!stop.stop_requested()) {
        if (!Readable(listener_)) continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        Drain(connection, stop);
        ::close(connection);
    }
}

void LoopbackPeer::Drain(int connection, const std::stop_token& stop) {
    char chunk[4096];
    while (!stop.stop_requested()) {
        if (!Readable(connection)) continue;
        const ssize_t got = ::read(connection, chunk, sizeof chunk);
        if (got <= 0) return;
        {
            std::lock_guard lock(mutex_);
            received_.append(chunk, static_cast<std::size_t>(got));
        }
        arrived_.notify_all();
    }
}

}  // namespace quillora::test
