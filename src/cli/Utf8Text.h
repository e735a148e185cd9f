#pragma once

#include <string>
#include <string_view>

namespace quillora::cli {

// Arguments, file names and system error texts are bytes; what the program writes for a
// person or a script is UTF-8, read from those bytes as it always has been:

// Each byte that begins no well-formed UTF-8 sequence (overlong, surrogate, past U+10FFFF,
// cut short) becomes U+FFFD, one per byte; the rest is kept as it is.
std::string ValidUtf8(std::string_view bytes);

// Without a byte order mark at the start: a text read as a whole never shows it.
std::string_view WithoutByteOrderMark(std::string_view bytes);

}  // namespace quillora::cli
