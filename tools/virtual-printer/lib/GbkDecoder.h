#pragma once

#include <iconv.h>

#include <QString>
#include <cstdint>
#include <optional>

namespace vprinter {

// One double-byte GBK character to Unicode, through the C library's converter (the
// printer has its own character table; it does not borrow the program's).
class GbkDecoder {
public:
    GbkDecoder();
    ~GbkDecoder();
    GbkDecoder(const GbkDecoder&) = delete;
    GbkDecoder& operator=(const GbkDecoder&) = delete;

    // nullopt for a pair that is not a GBK character.
    std::optional<QString> Decode(std::uint8_t lead, std::uint8_t trail);


private:
    iconv_t converter_;
};

}  // namespace vprinter
