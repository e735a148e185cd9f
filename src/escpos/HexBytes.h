#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillora::escpos {

// "1b 40 1d": two lower-case digits a byte, one space between; how traces and the traffic
// monitor show bytes.
std::string HexBytes(const std::uint8_t* data, std::size_t size);

}  // namespace quillora::escpos
