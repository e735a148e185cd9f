#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
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
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_port = htons(kPrinterTcpPort);
        inet_pton(AF_INET, address, &where.sin_addr);
        if (bind(listener_.Get(), reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
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

private:
    UniqueFd listener_;
    std::thread reader_;
};

}  // namespace quillora::bench
