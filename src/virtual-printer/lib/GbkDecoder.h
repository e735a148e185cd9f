#pragma once

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vprinter {

// `size` bytes through `converter` (to UTF-16LE, as opened by OpenToUnicode) from its
// initial state; nullopt when they are not one whole character of its source encoding that
// is a single UTF-16 code unit, as every character of this printer's tables is.
std::optional<char16_t> ConvertToUnicode(iconv_t converter, const char* bytes, std::size_t size);

// A converter from `encoding` for ConvertToUnicode; throws when the C library has none.
iconv_t OpenToUnicode(const std::string& encoding);

// One double-byte GBK character to Unicode, through the C library's converter (the
// printer has its own character table; it does not borrow the program's).
class GbkDecoder {
public:
    GbkDecoder() = default;
    ~GbkDecoder();
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    // nullopt for a pair that is not a GBK character.
    std::optional<char16_t> Decode(std::uint8_t lead, std::uint8_t trail);

private:
    // Opened when the first pair is decoded: most streams never need it.
    iconv_t converter_ = reinterpret_cast<iconv_t>(-1);
};

}  // namespace vprinter
