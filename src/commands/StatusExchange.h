#pragma once

#include <string>

#include "commands/CommandBytes.h"
#include "commands/StatusDecoding.h"
#include "port/PortDriver.h"

namespace quillora {

// One status query: what to send, how many reply bytes to expect, and the texts (UTF-8).
struct StatusQuery {
    CommandBlock request;
    int replyLength;  // 1 or 2
    std::string readFailure;
    // Both get exactly replyLength bytes.
    std::string (*decode)(const std::string& reply);
    StatusFields (*fields)(const std::string& reply);
};

// How one query went.
struct StatusExchange {
    bool refused = false;  // not a serial connection: nothing was sent
    int requestSent = 0;   // the driver's count for the request
    std::string reply;     // the bytes that arrived
    bool replied = false;  // exactly replyLength of them
    std::string text;      // what the window shows
};

StatusQuery NearEndQuery();
StatusQuery PaperTakenQuery();
StatusQuery SerialStatusQuery();

// Refuses any connection that is not serial (nothing sent), sends the request, reads the
// reply at once; the text is the read failure unless exactly replyLength bytes arrived,
// otherwise the decoded reply.
StatusExchange ExchangeStatus(PortDriver& ports, const PortName& port, const StatusQuery& query);

}  // namespace quillora
