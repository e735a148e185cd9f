#include "GbkDecoder.h"

#include <algorithm>
#include <stdexcept>

namespace vprinter {

GbkDecoder::~GbkDecoder() {
    if (converter_ != reinterpret_cast<iconv_t>(-1)) iconv_close(converter_);
}

std::optional<QString> ConvertToUnicode(iconv_t converter, const char* bytes, std::size_t size) {
    char input[4] = {};
    char output[8] = {};
    std::copy_n(bytes, std::min(size, sizeof input), input);
    char* in = input;
    char* out = output;
    std::size_t inLeft = std::min(size, sizeof input);
    std::size_t outLeft = sizeof output;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(output, static_cast<int>(out - output));
}

std::optional<QString> GbkDecoder::Decode(std::uint8_t lead, std::uint8_t trail) {
    if (converter_ == reinterpret_cast<iconv_t>(-1)) {
        converter_ = iconv_open("UTF-8", "GBK");
        if (converter_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("the C library has no GBK converter");
        }
    }
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return ConvertToUnicode(converter_, pair, sizeof pair);
}

}  // namespace vprinter
