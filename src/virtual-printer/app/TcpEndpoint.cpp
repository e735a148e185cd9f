#include "virtual-printer/app/TcpEndpoint.h"

namespace vprinter {

// A sender still connected at exit: server_ deletes its socket while being destroyed, and
// the socket's last "disconnected" must not reach this half-destroyed endpoint.
TcpEndpoint::~TcpEndpoint() {
    if (current_) current_->disconnect(this);
}

bool TcpEndpoint::Listen(const QHostAddress& address, quint16 port, QString& error) {
    if (!server_.listen(address, port)) {
        error = server_.errorString();
        return false;
    }
    connect(&server_, &QTcpServer::newConnection, this, &TcpEndpoint::TakeNext);
    session_.SetReplyChannel([this](const QByteArray& bytes) {
        if (current_) current_->write(bytes);
    });
    return true;
}

void TcpEndpoint::TakeNext() {
    if (current_ || !server_.hasPendingConnections()) return;
    current_ = server_.nextPendingConnection();
    connect(current_, &QTcpSocket::readyRead, this, &TcpEndpoint::ReadCurrent);
    connect(current_, &QTcpSocket::disconnected, this, &TcpEndpoint::CurrentClosed);
    session_.Opened();
    ReadCurrent();
    if (current_->state() != QAbstractSocket::ConnectedState) CurrentClosed();
}

void TcpEndpoint::ReadCurrent() {
    if (current_ && current_->bytesAvailable() > 0) session_.Received(current_->readAll());
}

void TcpEndpoint::CurrentClosed() {
    if (!current_) return;
    ReadCurrent();
    current_->disconnect(this);
    current_->deleteLater();
    current_ = nullptr;
    session_.Closed();
    TakeNext();
}

}  // namespace vprinter
