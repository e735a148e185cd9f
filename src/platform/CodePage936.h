#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quillora {

// Every text that reaches a printer, the settings file or a byte comparison is GBK
// (code page 936); widgets hold Unicode. These two calls are the only crossing.

// Characters that GBK cannot hold become '?', one per character.
std::string ToGbk(const QString& text);

// Bytes that are not valid GBK become U+FFFD, one per byte.
QString FromGbk(std::string_view bytes);

}  // namespace quillora
