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

size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::string ToGbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const char* in = utf8.constData();
    size_t inLeft = static_cast<size_t>(utf8.size());
    std::string out;
    out.reserve(inLeft);
    Converter converter(kGbkName, "UTF-8");
    while (converter.Run(in, inLeft, out) != 0) {
        const size_t skip = std::min(Utf8SequenceLength(static_cast<unsigned char>(*in)), inLeft);
        in += skip;
        inLeft -= skip;
        out.push_back('?');
    }
    return out;
}

QString FromGbk(std::string_view bytes) {
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
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace quillora
