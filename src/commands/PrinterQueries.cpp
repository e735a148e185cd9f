#include "commands/PrinterQueries.h"

#include <algorithm>

#include "commands/PortExchange.h"
#include "escpos/Commands.h"

namespace quillora {
namespace {

namespace esc = escpos;

std::optional<std::uint8_t> IdByte(PortDriver& ports, const PortName& port, std::uint8_t n) {
    if (SendBlock(ports, port, esc::PrinterIdQuery(n)) <= 0) return std::nullopt;
    std::uint8_t reply = 0;
    if (ports.ReadData(port, &reply, 1) != 1) return std::nullopt;
    return reply;
}

// "_", the text, NUL: read a byte at a time, since its length is the printer's.
std::optional<std::string> IdText(PortDriver& ports, const PortName& port, std::uint8_t n) {
    if (SendBlock(ports, port, esc::PrinterIdQuery(n)) <= 0) return std::nullopt;
    std::string reply;
    while (reply.size() < size_t(kMaxPrinterIdText) && (reply.empty() || reply.back() != '\0')) {
        std::uint8_t byte = 0;
        if (ports.ReadData(port, &byte, 1) != 1) break;
        reply.push_back(char(byte));
    }
    return PrinterIdText(reply);
}

}  // namespace

CommandBlock RealTimeStatusBlock() {
    return esc::RealTimeStatusQuery(esc::kPrinterStatus) +
           esc::RealTimeStatusQuery(esc::kOfflineStatus) +
           esc::RealTimeStatusQuery(esc::kErrorStatus) +
           esc::RealTimeStatusQuery(esc::kPaperSensorStatus);
}

std::optional<PrinterState> QueryRealTimeStatus(PortDriver& ports, const PortName& port,
                                                std::string* reply) {
    std::array<std::uint8_t, 4> replies{};
    const int received =
        SendWholeThenRead(ports, port, RealTimeStatusBlock(), replies.data(), int(replies.size()));
    if (reply) reply->assign(replies.begin(), replies.begin() + std::max(received, 0));
    if (received != int(replies.size())) return std::nullopt;
    return DecodeRealTimeStatus(replies);
}

PrinterInformation QueryPrinterInformation(PortDriver& ports, const PortName& port) {
    PrinterInformation information;
    information.model = IdText(ports, port, esc::kModelName);
    information.modelId = IdByte(ports, port, esc::kModelId);
    // A printer that answers neither of the first two questions is not asked the rest.
    if (!information.model && !information.modelId) return information;
    information.typeId = IdByte(ports, port, esc::kTypeId);
    information.firmware = IdText(ports, port, esc::kFirmwareVersion);
    information.maker = IdText(ports, port, esc::kMakerName);
    information.serial = IdText(ports, port, esc::kSerialNumber);
    return information;
}

}  // namespace quillora
