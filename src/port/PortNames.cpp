#include "port/PortNames.h"

#include <arpa/inet.h>

#include <strings.h>
#include <array>
#include <charconv>
#include <string>

namespace quillora {
namespace {

struct NamedKind {
    std::string_view prefix;
    PortKind kind;
};
constexpr std::array<NamedKind, 3> kNumberedKinds{{
    {"COM", PortKind::Serial},
    {"LPT", PortKind::Parallel},
    {"USB", PortKind::Usb},
}};

// Digits only, no sign, no leading zero, at least 1.
int PortNumber(std::string_view digits) {
    if (digits.empty() || digits.front() == '0') return 0;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc{} || end != digits.data() + digits.size()) return 0;
    return number;
}

}  // namespace

PortAddress ParsePortName(std::string_view name) {
    for (const NamedKind& named : kNumberedKinds) {
        if (name.size() > named.prefix.size() &&
            strncasecmp(name.data(), named.prefix.data(), named.prefix.size()) == 0) {
            const int number = PortNumber(name.substr(named.prefix.size()));
            if (number > 0) return {named.kind, number, 0};
            return {};
        }
    }
    in_addr address{};
    if (inet_pton(AF_INET, std::string(name).c_str(), &address) == 1) {
        return {PortKind::Network, 0, ntohl(address.s_addr)};
    }
    return {};
}

}  // namespace quillora
