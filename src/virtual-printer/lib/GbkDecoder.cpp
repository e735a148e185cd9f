#include "virtual-printer/lib/GbkDecoder.h"

#include <algorithm>
#include <stdexcept>

namespace vprinter {

GbkDecoder::~GbkDecoder() {
    if (converter_ != reinterpret_cast<iconv_t>(-1)) iconv_close(converter_);
}

std::optional<char16_t> ConvertToUnicode(iconv_t converter, const char* bytes, std::size_t size) {
    char input[4] = {};
    unsigned char output[8] = {};
    std::copy_n(bytes, std::min(size, sizeof input), input);
    char* in = input;
    char* out = reinterpret_cast<char*>(output);
    std::size_t inLeft = std::min(size, sizeof input);
    std::size_t outLeft = sizeof output;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 || outLeft != sizeof output - 2) {
        return std::nullopt;
    }
    return static_cast<char16_t>(output[0] | output[1] << 8);
}

iconv_t OpenToUnicode(const std::string& encoding) {
    const iconv_t converter = iconv_open("UTF-16LE", encoding.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("the C library has no " + encoding + " converter");
    }
    return converter;
}

std::optional<char16_t> GbkDecoder::Decode(std::uint8_t lead, std::uint8_t trail) {
    if (converter_ == reinterpret_cast<iconv_t>(-1)) converter_ = OpenToUnicode("GBK");
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    return ConvertToUnicode(converter_, pair, sizeof pair);
}

}  // namespace vprinter
