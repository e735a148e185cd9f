#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <system_error>

namespace quillora {

// The longest file that one SendData call can carry: its length is a signed 32-bit count.
inline constexpr std::int64_t kMaxSendLength = INT_MAX;

struct WholeFile {
    enum class Outcome {
        Read,        // bytes holds the whole file
        CannotOpen,  // error holds the OS error
        CannotRead,  // error holds the OS error, or io_error when the file ended early
        TooLarge,    // longer than kMaxSendLength, or no memory for it; nothing allocated
    };
    Outcome outcome = Outcome::Read;
    std::string bytes;
    std::error_code error;
};

// Reads a file byte for byte, without conversion, into one buffer. The length is checked
// before the buffer is made, so a huge file is refused instead of exhausting memory.
WholeFile ReadWholeFile(const std::string& path);

}  // namespace quillora
