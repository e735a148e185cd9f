#include "commands/StatusExchange.h"

#include <algorithm>
#include <cstdint>

#include "commands/PortExchange.h"
#include "commands/StatusDecoding.h"
#include "port/ConnectionList.h"

namespace quillora {
namespace {

std::uint8_t Byte(const std::string& reply, size_t index) {
    return std::uint8_t(reply[index]);
}

}  // namespace

StatusQuery NearEndQuery() {
    return {NearEndQueryBlock(), 1, ReadFailedText(),
            [](const std::string& reply) { return NearEndText(Byte(reply, 0)); },
            [](const std::string& reply) { return NearEndFields(Byte(reply, 0)); }};
}

StatusQuery PaperTakenQuery() {
    return {PaperTakenQueryBlock(), 1, ReadReplyFailedText(),
            [](const std::string& reply) { return PaperTakenText(Byte(reply, 0)); },
            [](const std::string& reply) { return PaperTakenFields(Byte(reply, 0)); }};
}

StatusQuery SerialStatusQuery() {
    // The DLE EOT 2 reply comes first, then the DLE EOT 4 reply.
    return {
        SerialStatusQueryBlock(), 2, ReadFailedText(),
        [](const std::string& reply) { return SerialStatusText(Byte(reply, 0), Byte(reply, 1)); },
        [](const std::string& reply) {
            return SerialStatusFields(Byte(reply, 0), Byte(reply, 1));
        }};
}

StatusExchange ExchangeStatus(PortDriver& ports, const PortName& port, const StatusQuery& query) {
    StatusExchange exchange;
    // Only a serial line carries replies back.
    if (!IsSerialEntry(port)) {
        exchange.refused = true;
        exchange.text = SerialOnlyText();
        return exchange;
    }
    exchange.requestSent = SendBlock(ports, port, query.request);
    exchange.reply.assign(size_t(query.replyLength), '\0');
    const int received = ports.ReadData(
        port, reinterpret_cast<std::uint8_t*>(exchange.reply.data()), query.replyLength);
    exchange.reply.resize(size_t(std::clamp(received, 0, query.replyLength)));
    exchange.replied = received == query.replyLength;
    exchange.text = exchange.replied ? query.decode(exchange.reply) : query.readFailure;
    return exchange;
}

}  // namespace quillora
