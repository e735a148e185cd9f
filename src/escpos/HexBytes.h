#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillora::escpos {

// Traces and the traffic monitor write lower-case digits; the virtual printer's log and its
// marks on the paper write upper-case ones, as printer manuals do.
enum class HexCase { Lower, Upper };

// "1b 40 1d": two digits a byte, one space between.
std::string HexBytes(const std::uint8_t* data, std::size_t size, HexCase digits = HexCase::Lower);

// The first `limit` bytes as above, and " …" after them when there were more.
std::string HexBytesUpTo(const std::uint8_t* data, std::size_t size, std::size_t limit,
                         HexCase digits = HexCase::Lower);

}  // namespace quillora::escpos
