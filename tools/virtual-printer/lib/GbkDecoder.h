#pragma once

#include <iconv.h>

#include <QString>
#include <cstdint>
#include <optional>

namespace vprinter {

// `size` bytes through `converter` (to UTF-8) from its initial state; nullopt when they
// are not one whole character sequence of its source encoding.
std::optional<QString> ConvertToUnicode(iconv_t converter, const char* bytes, std::size_t size);

// One double-byte GBK character to Unicode, through the C library's converter (the
// printer has its own character table; it does not borrow the program's).
class GbkDecoder {
public:
    GbkDecoder() = default;
    ~GbkDecoder();
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    // nullopt for a pair that is not a GBK character.
    std::optional<QString> Decode(std::uint8_t lead, std::uint8_t trail);


private:
    // Opened when the first pair is decoded: most streams never need it.
    iconv_t converter_ = reinterpret_cast<iconv_t>(-1);
};

}  // namespace vprinter
