#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <system_error>
#include <thread>
#include <vector>

#include "port/FdIo.h"
#include "port/PortNames.h"

namespace quillora::bench {

// A network printer on port 9100 of `address` that takes one connection after the other
// and swallows everything until each closes.
class DrainingPrinter {
public:
    explicit DrainingPrinter(const char* address)
        : listener_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int on = 1;
        setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        const sockaddr_in where = PrinterAddress(address);
        if (bind(listener_.Get(), reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0 ||
            listen(listener_.Get(), 16) != 0) {
            throw std::system_error(LastOsError(), address);
        }
        reader_ = std::thread([this] {
            std::vector<char> buffer(1 << 20);
            for (;;) {
                const UniqueFd connection(accept(listener_.Get(), nullptr, nullptr));
                if (!connection.Valid()) return;  // the listener was shut down
                while (read(connection.Get(), buffer.data(), buffer.size()) > 0) {
                }
            }
        });
    }
    ~DrainingPrinter() {
        // Wakes the reader, whether or not a connection ever came.
        shutdown(listener_.Get(), SHUT_RDWR);
        reader_.join();
    }

    // Port 9100 of `address`.
    static sockaddr_in PrinterAddress(const char* address) {
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(kPrinterTcpPort);
        inet_pton(AF_INET, address, &where.sin_addr);
        return where;
    }

private:
    UniqueFd listener_;
    std::thread reader_;
};

// The limit for a driver's sends: a plain blocking connection to such a printer, set up as
// the driver sets up its own (Nagle's delay off), written to with write() and nothing else.
class RawConnection {
public:
    explicit RawConnection(const char* address)
        : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        const int on = 1;
        setsockopt(fd_.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        const sockaddr_in where = DrainingPrinter::PrinterAddress(address);
        if (connect(fd_.Get(), reinterpret_cast<const sockaddr*>(&where), sizeof where) != 0) {
            throw std::system_error(LastOsError(), address);
        }
    }
    bool Write(const void* data, std::size_t length) const {
        return write(fd_.Get(), data, length) == ssize_t(length);
    }

private:
    UniqueFd fd_;
};

}  // namespace quillora::bench
