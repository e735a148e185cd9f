#pragma once

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>

namespace quillora::test {

// A network printer's raw port 9100 on a loopback address: takes one connection after
// another and keeps every byte. Its clients close their connections before it goes.
class LoopbackPeer {
public:
    explicit LoopbackPeer(const std::string& address) {
        const int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in where{AF_INET, htons(9100), {}, {}};
        listening_ =
            ::inet_pton(AF_INET, address.c_str(), &where.sin_addr) == 1 &&
            ::bind(listener_, reinterpret_cast<const sockaddr*>(&where), sizeof where) == 0 &&
            ::listen(listener_, 4) == 0;
        if (listening_) server_ = std::thread([this] { Serve(); });
    }
    ~LoopbackPeer() {
        ::shutdown(listener_, SHUT_RDWR);  // ends the server's wait for a connection
        if (server_.joinable()) server_.join();
        ::close(listener_);
    }

    bool Listening() const { return listening_; }
    std::string Received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

private:
    void Serve() {
        for (int connection;
             (connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;
             ::close(connection)) {
            char chunk[4096];
            for (ssize_t got; (got = ::read(connection, chunk, sizeof chunk)) > 0;) {
                std::lock_guard lock(mutex_);
                received_.append(chunk, static_cast<std::size_t>(got));
            }
        }
    }

    const int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bool listening_ = false;
    mutable std::mutex mutex_;
    std::string received_;
    std::thread server_;
};

}  // namespace quillora::test
