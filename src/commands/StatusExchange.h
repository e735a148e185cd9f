#pragma once

#include <QString>
#include <string>

#include "commands/CommandBytes.h"
#include "port/PortDriver.h"

namespace quillora {

// One status query: what to send, how many reply bytes to expect, and the texts.
struct StatusQuery {
    CommandBlock request;
    int replyLength;  // 1 or 2
    QString readFailure;
    QString (*decode)(const std::string& reply);  // gets exactly replyLength bytes
};

StatusQuery NearEndQuery();
StatusQuery PaperTakenQuery();
StatusQuery SerialStatusQuery();

// Refuses any connection that is not serial (nothing sent), sends the request, reads the
// reply at once and returns the text to show: the read failure unless exactly
// replyLength bytes arrived, otherwise the decoded reply.
QString RunStatusQuery(PortDriver& ports, const PortName& port, const StatusQuery& query);

}  // namespace quillora
