#pragma once

#include <unistd.h>

#include <array>
#include <string>

namespace quillora::test {

// ctest runs every test case as its own process, in parallel, so a fixed listening address
// would be taken by whichever case started first. The second byte keeps areas apart; the
// process id and the case's own host number (1 to 31) make the last two, so processes whose
// ids are less than 1,792 apart never share an address.
inline std::array<int, 4> LoopbackOctets(int area, int host) {
    const auto pid = static_cast<int>(getpid());
    return {127, area, pid % 256, host + 32 * (pid / 256 % 7)};
}

inline std::string LoopbackAddress(int area, int host) {
    const std::array<int, 4> octets = LoopbackOctets(area, host);
    return "127." + std::to_string(octets[1]) + "." + std::to_string(octets[2]) + "." +
           std::to_string(octets[3]);
}

// The "IP" entry's keys of "Option.ini" for that address.
inline std::string LoopbackIpSettings(int area, int host) {
    const std::array<int, 4> octets = LoopbackOctets(area, host);
    std::string keys;
    for (int i = 0; i < 4; ++i) {
        keys += "Ip" + std::to_string(i + 1) + "=" + std::to_string(octets[i]) + "\n";
    }
    return keys;
}

}  // namespace quillora::test
