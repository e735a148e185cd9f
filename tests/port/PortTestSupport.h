#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "port/FdIo.h"
#include "port/LinuxPortDriver.h"
#include "support/HexBytes.h"

namespace quillora::test {

using namespace std::chrono_literals;

// Bytes written out in the test, e.g. Hex("10 04 02").
std::string Bytes(std::initializer_list<int> values);

// `size` bytes of a pattern that no shift or truncation preserves.
std::string Pattern(std::size_t size);

// A short read bound, so the tests that wait for it stay quick; no failing fast; a write
// bound long enough for a slow sanitizer build.
PortTimeouts QuickTimeouts();

// A driver whose ports are exactly `overrides` (a QUILLORA_PORTS value).
LinuxPortDriver DriverWith(const std::string& overrides,
                           const PortTimeouts& timeouts = QuickTimeouts());

int Send(PortDriver& driver, const PortName& port, const std::string& bytes);
// ReadData into a buffer of `count` bytes; the bytes that arrived.
std::string Read(PortDriver& driver, const PortName& port, int count);

// A pseudo-terminal standing in for a serial printer; the test plays the printer on the
// master side and may look at the terminal's settings through its own slave descriptor.
struct PseudoTerminal {
    PseudoTerminal();
    UniqueFd master, slave;
    std::string slavePath;

    // The bytes the program sent, waiting up to `timeout` for `count` of them.
    std::string Receive(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    void Reply(const std::string& bytes) const;
    // Waits until bytes written by Reply can be read on the slave side.
    void AwaitDelivered() const;
};

// A network printer on 127.3.<p>.<host>, port 9100, with <p> taken from the process id so
// that two runs of the suite at once do not meet on an address.
class LoopbackPrinter {
public:
    explicit LoopbackPrinter(int host, int backlog = 8);
    static std::string Address(int host);

    // The next connection, or an invalid fd when none comes within `timeout`.
    UniqueFd Accept(std::chrono::milliseconds timeout = 2s) const;
    void Close() { listener_.Reset(); }

private:
    UniqueFd listener_;
};

// Reads `count` bytes from a connection (fewer if it ends or `timeout` passes).
std::string ReceiveFrom(int fd, std::size_t count, std::chrono::milliseconds timeout = 2s);
void SendTo(int fd, const std::string& bytes);

// The whole contents of a file ("" when it cannot be read).
std::string FileContents(const std::string& path);

std::chrono::milliseconds ElapsedSince(std::chrono::steady_clock::time_point start);

}  // namespace quillora::test
