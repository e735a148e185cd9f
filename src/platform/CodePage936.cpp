#include "platform/CodePage936.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace quillora {
namespace {

// glibc knows Microsoft's variant as CP936 (it adds 0x80 for the euro sign).
constexpr const char* kGbkName = "CP936";

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert between UTF-8 and CP936");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the errno that stopped it, or 0 at the end.
    int Run(const char*& in, size_t& inLeft, std::string& out) {
        char buffer[256];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                return errno;
            }
        }
        return 0;
    }

private:
    iconv_t cd_;
};

// The bytes of the character at `in` that GBK does not hold, or of a broken sequence: the lead
// and the continuation bytes that follow it, so that text after a broken sequence is kept.
size_t Utf8CharacterLength(const char* in, size_t left) {
    const auto lead = static_cast<unsigned char>(in[0]);
    size_t expected = 1;  // ASCII, or a byte that cannot lead
    if (lead >= 0xC0 && lead < 0xF8) expected = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    size_t length = 1;
    while (length < std::min(expected, left) &&
           (static_cast<unsigned char>(in[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

}  // namespace

std::string ToGbk(std::string_view utf8) {
    const char* in = utf8.data();
    size_t inLeft = utf8.size();
    std::string out;
    out.reserve(inLeft);
    Converter converter(kGbkName, "UTF-8");
    while (converter.Run(in, inLeft, out) != 0) {
        const size_t skip = Utf8CharacterLength(in, inLeft);
        in += skip;
        inLeft -= skip;
        out.push_back('?');
    }
    return out;
}

std::string FromGbk(std::string_view bytes) {
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    std::string utf8;
    utf8.reserve(inLeft * 3 / 2);
    Converter converter("UTF-8", kGbkName);
    while (converter.Run(in, inLeft, utf8) != 0) {
        ++in;
        --inLeft;
        utf8.append("\xEF\xBF\xBD");
    }
    return utf8;
}

}  // namespace quillora
