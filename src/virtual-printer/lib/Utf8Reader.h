#pragma once

#include <cstdint>
#include <optional>

namespace vprinter {

// UTF-8 text (FS ( C), one byte at a time, as the stream cuts it into pieces of any size.
class Utf8Reader {
public:
    enum class Result { More, Character, Invalid };

    // Takes the next byte: More while a character is incomplete, Character when one is
    // complete (then Last()), Invalid for a byte that cannot stand where it is.
    Result Take(std::uint8_t byte) {
        if (remaining_ > 0) {
            if ((byte & 0xC0) != 0x80) {
                remaining_ = 0;
                return Result::Invalid;
            }
            code_ = (code_ << 6) | (byte & 0x3F);
            return --remaining_ == 0 ? Result::Character : Result::More;
        }
        if (byte < 0x80) {
            code_ = byte;
            return Result::Character;
        }
        remaining_ = byte >= 0xF0 && byte < 0xF8 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC2 ? 1 : 0;
        if (remaining_ == 0 || byte >= 0xF8) {
            remaining_ = 0;
            return Result::Invalid;
        }
        code_ = byte & (0x3F >> remaining_);
        return Result::More;
    }
    // The character just completed.
    char32_t Last() const { return code_; }
    // Back to the start of a character (the encoding changed).
    void Reset() { remaining_ = 0; }

private:
    char32_t code_ = 0;
    int remaining_ = 0;
};

}  // namespace vprinter
