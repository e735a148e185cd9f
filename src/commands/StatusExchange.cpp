#include "commands/StatusExchange.h"

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
            [](const std::string& reply) { return NearEndText(Byte(reply, 0)); }};
}

StatusQuery PaperTakenQuery() {
    return {PaperTakenQueryBlock(), 1, ReadReplyFailedText(),
            [](const std::string& reply) { return PaperTakenText(Byte(reply, 0)); }};
}

StatusQuery SerialStatusQuery() {
    // The DLE EOT 2 reply comes first, then the DLE EOT 4 reply.
    return {SerialStatusQueryBlock(), 2, ReadFailedText(), [](const std::string& reply) {
                return SerialStatusText(Byte(reply, 0), Byte(reply, 1));
            }};
}

QString RunStatusQuery(PortDriver& ports, const PortName& port, const StatusQuery& query) {
    // Only a serial line carries replies back.
    if (!IsSerialEntry(port)) return SerialOnlyText();
    SendBlock(ports, port, query.request);
    std::string reply(size_t(query.replyLength), '\0');
    const int received =
        ports.ReadData(port, reinterpret_cast<std::uint8_t*>(reply.data()), query.replyLength);
    if (received != query.replyLength) return query.readFailure;
    return query.decode(reply);
}

}  // namespace quillora
