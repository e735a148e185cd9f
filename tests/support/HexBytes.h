#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quillora::test {

// "1D 21 00" -> the three bytes; how expected bytes are written in the tests.
inline std::string Hex(std::string_view text) {
    std::string bytes;
    std::istringstream in{std::string(text)};
    std::string pair;
    while (in >> pair) bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
    return bytes;
}

// The bytes as "1D 21 00", so that a failed comparison reads like the expectation.
inline std::string ToHex(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(byte));
        if (!text.empty()) text += ' ';
        text += pair;
    }
    return text;
}

inline std::vector<std::string> ToHex(const std::vector<std::string>& blocks) {
    std::vector<std::string> texts;
    for (const std::string& block : blocks) texts.push_back(ToHex(block));
    return texts;
}

}  // namespace quillora::test
