#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>

#include "virtual-printer/app/EndpointSession.h"

namespace vprinter {

// A network printer on a loopback address: one connection at a time, the next waiting in
// the queue until the current one closes.
class TcpEndpoint final : public QObject {
public:
    explicit TcpEndpoint(EndpointSession& session) : session_(session) {}
    ~TcpEndpoint() override;

    bool Listen(const QHostAddress& address, quint16 port, QString& error);

private:
    void TakeNext();
    void ReadCurrent();
    void CurrentClosed();

    EndpointSession& session_;
    QTcpServer server_;
    QTcpSocket* current_ = nullptr;  // owned by server_ (Qt parent)
};

}  // namespace vprinter
