#pragma once

#include <string>
#include <string_view>

namespace quillora {

// Every text that reaches a printer, the settings file or a byte comparison is GBK
// (code page 936); the program's own texts are UTF-8. These two calls are the only crossing.

// Characters that GBK cannot hold become '?', one per character (or per byte that is not
// UTF-8).
std::string ToGbk(std::string_view utf8);

// UTF-8; bytes that are not valid GBK become U+FFFD, one per byte.
std::string FromGbk(std::string_view bytes);

}  // namespace quillora
