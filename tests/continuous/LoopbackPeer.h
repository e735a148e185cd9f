#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace quillora::test {

// A network printer's raw port on a loopback address (127.0.7.x, port 9100): takes one
// connection after another and keeps every byte.
class LoopbackPeer {
public:
    explicit LoopbackPeer(const std::string& address) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int yes = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in where{AF_INET, htons(9100), {}, {}};
        bool bound = false;
        if (::inet_pton(AF_INET, address.c_str(), &where.sin_addr) == 1) {
            // A run that just ended may still hold the address: retry for five seconds.
            for (int attempt = 0; !bound && attempt < 250; ++attempt) {
                bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0;
                if (!bound) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (bound && ::listen(fd, 4) == 0) {
            listener_ = fd;
            server_ = std::jthread([this](std::stop_token stop) { Serve(stop); });
        } else if (fd >= 0) {
            ::close(fd);
        }
    }
    ~LoopbackPeer() {
        if (server_.joinable()) {
            server_.request_stop();
            server_.join();
        }
        if (listener_ >= 0) ::close(listener_);
    }
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    bool Listening() const { return listener_ >= 0; }
    std::string Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    // Polls in 20 ms steps, so that a stop request is seen soon.
    void Serve(const std::stop_token& stop) {
        const auto readable = [](int fd) {
            pollfd ready{fd, POLLIN, 0};
            return ::poll(&ready, 1, 20) > 0;
        };
        int connection = -1;
        char chunk[4096];
        while (!stop.stop_requested()) {
            if (connection < 0) {
                if (readable(listener_))
                    connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            } else if (readable(connection)) {
                const ssize_t got = ::read(connection, chunk, sizeof chunk);
                if (got <= 0) {
                    ::close(connection);
                    connection = -1;
                } else {
                    std::lock_guard lock(mutex_);
                    received_.append(chunk, static_cast<std::size_t>(got));
                }
            }
        }
        if (connection >= 0) ::close(connection);
    }

    int listener_ = -1;
    mutable std::mutex mutex_;
    std::string received_;
    std::jthread server_;
};

}  // namespace quillora::test
