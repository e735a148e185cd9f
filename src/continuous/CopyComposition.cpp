#include "continuous/CopyComposition.h"

#include <cstdio>

#include "escpos/Commands.h"
#include "imaging/NvLogo.h"
#include "platform/CodePage936.h"

namespace quillora {
namespace {

using namespace std::string_literals;

const std::string kPrintNvLogo(kPrintNvLogoCommand.begin(), kPrintNvLogoCommand.end());
const std::string kNormalSize = escpos::SelectCharacterSize(escpos::kNormalSize);
const std::string kCutTail = "\r\n\r\n\r\n\r\n"s + escpos::CutPaper();

constexpr unsigned char kFirstHighByte = 0x80;
constexpr int kResizeThreshold = 40;
constexpr int kLastSizeStep = 3;

// GS ! with both factors step + 1 (step 0 = normal size).
std::string SizeCommand(int step) {
    return escpos::SelectCharacterSize(escpos::CharacterSize(step + 1, step + 1));
}

// The headings are printf's formats: their bytes on paper are what printf makes of them.
std::string GbkHeading(const char* format, int copyNumber, const TimeOfDay& time) {
    const auto print = [&](char* to, std::size_t size) {
        return std::snprintf(to, size, format, copyNumber, time.hour, time.minute, time.second);
    };
    std::string utf8(std::size_t(print(nullptr, 0)), '\0');
    print(utf8.data(), utf8.size() + 1);
    return ToGbk(utf8);
}

}  // namespace

std::string PortCopyHeading(int copyNumber, const TimeOfDay& time) {
    return GbkHeading("当前第%d份,时间:%d:%d:%d\r\n\r\n", copyNumber, time);
}

std::string DriverCopyHeading(int copyNumber, const TimeOfDay& time) {
    return GbkHeading("当前第%d份, 时间:%.2d:%.2d:%.2d\r\n\r\n", copyNumber, time);
}

std::vector<std::string> MixedSizeBodySends(std::string_view body) {
    std::vector<std::string> sends;
    sends.reserve(body.size() + body.size() / 2 + 1);
    int highBytes = 0;
    int lowBytes = 0;
    int step = 1;
    for (const char byte : body) {
        if (static_cast<unsigned char>(byte) >= kFirstHighByte) {
            ++highBytes;
        } else {
            ++lowBytes;
        }
        if (highBytes % 2 == 1 && (lowBytes > kResizeThreshold || highBytes > kResizeThreshold)) {
            sends.push_back(SizeCommand(step));
            step = step == kLastSizeStep ? 0 : step + 1;
        }
        sends.emplace_back(1, byte);
    }
    sends.push_back(kNormalSize);
    return sends;
}

std::vector<std::string> PortCopySends(int copyNumber, const TimeOfDay& time,
                                       std::string_view textBytes, const PortCopyOptions& options) {
    std::vector<std::string> sends{PortCopyHeading(copyNumber, time)};
    if (options.printLogo) sends.push_back(kPrintNvLogo);
    std::string body(textBytes);
    body += "\r\n";
    if (options.mixedSize) {
        std::vector<std::string> bodySends = MixedSizeBodySends(body);
        sends.insert(sends.end(), std::make_move_iterator(bodySends.begin()),
                     std::make_move_iterator(bodySends.end()));
    } else {
        sends.push_back(std::move(body));
    }
    if (options.autoCut) sends.push_back(kCutTail);
    return sends;
}

SendTally SendPortCopy(PortDriver& ports, const PortName& port, int copyNumber,
                       const TimeOfDay& time, std::string_view textBytes,
                       const PortCopyOptions& options) {
    return SendBlocks(ports, port, PortCopySends(copyNumber, time, textBytes, options));
}

}  // namespace quillora
