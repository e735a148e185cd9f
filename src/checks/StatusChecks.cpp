#include "checks/StatusChecks.h"

namespace quillora {

std::optional<ReadyCheck> PrepareStatusQueryOf(StatusQuery (*query)()) {
    return [query](CheckHost& host) {
        const PortName port = host.Port();
        const StatusQuery asked = query();
        const StatusExchange exchange = ExchangeStatus(host.Ports(), port, asked);
        CheckMessage message{CheckOutcome::Refused, exchange.text, MessageIcon::Information};
        if (!exchange.refused) {
            message.tally = {std::int64_t(asked.request.size()), exchange.requestSent};
            message.reply = exchange.reply;
            if (exchange.replied) message.status = asked.fields(exchange.reply);
            const bool fault = !exchange.replied || ReportsFault(*message.status);
            message.outcome = fault ? CheckOutcome::Failed : CheckOutcome::Ok;
        }
        host.Report(message);
    };
}

}  // namespace quillora
