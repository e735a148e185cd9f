#include "virtual-printer/app/TcpEndpoint.h"

#include <sys/socket.h>

#include <string>

namespace vprinter {
namespace {

// Closes at once with a reset rather than an orderly end, so that a sender that keeps
// writing is told that its data is not taken.
void Reset(QTcpSocket* socket) {
    const linger now{1, 0};
    ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &now,
                 sizeof now);
    socket->abort();
    socket->deleteLater();
}

std::string PeerName(const QTcpSocket* socket) {
    return "port " + std::to_string(socket->peerPort());
}

}  // namespace

TcpEndpoint::TcpEndpoint(EndpointSession& session, int idleMilliseconds) : session_(session) {
    idle_.setSingleShot(true);
    idle_.setInterval(idleMilliseconds);
    connect(&idle_, &QTimer::timeout, this, &TcpEndpoint::CurrentIdle);
}

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
    connect(&server_, &QTcpServer::newConnection, this, &TcpEndpoint::Accept);
    session_.SetReplyChannel([this](const QByteArray& bytes) {
        if (current_) current_->write(bytes);
    });
    return true;
}

void TcpEndpoint::Close() {
    server_.close();
    idle_.stop();
    if (current_) Reset(ReleaseCurrent());
    for (QTcpSocket* socket : waiting_) Reset(socket);
    waiting_.clear();
}

void TcpEndpoint::Accept() {
    while (server_.hasPendingConnections()) {
        QTcpSocket* socket = server_.nextPendingConnection();
        socket->setReadBufferSize(kReadPiece);
        const auto held = static_cast<int>(waiting_.size()) + (current_ ? 1 : 0);
        if (held >= kMaxConnections) {
            session_.Log("connection from " + PeerName(socket) + " refused: " +
                         std::to_string(kMaxConnections) + " connections already held");
            Reset(socket);
            continue;
        }
        waiting_.push_back(socket);
    }
    if (!current_) {
        TakeNext();
    } else if (!idle_.isActive() && !waiting_.empty()) {
        CurrentIdle();
    }
}

void TcpEndpoint::TakeNext() {
    if (current_ || waiting_.empty()) return;
    current_ = waiting_.front();
    waiting_.pop_front();
    connect(current_, &QTcpSocket::readyRead, this, &TcpEndpoint::ReadCurrent);
    connect(current_, &QTcpSocket::disconnected, this, &TcpEndpoint::CurrentClosed);
    session_.Opened();
    idle_.start();
    ReadCurrent();
    if (current_ && current_->state() != QAbstractSocket::ConnectedState) CurrentClosed();
}

void TcpEndpoint::ReadCurrent() {
    if (!current_ || current_->bytesAvailable() == 0) return;
    ReadPiece();
    // Whatever is left is read after the events waiting, a signal among them.
    if (current_ && current_->bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &TcpEndpoint::ReadCurrent, Qt::QueuedConnection);
    }
}

void TcpEndpoint::ReadPiece() {
    idle_.start();
    session_.Received(current_->read(kReadPiece));
}

void TcpEndpoint::CurrentClosed() {
    if (!current_) return;
    // All of it now: the connection goes when this returns.
    while (current_->bytesAvailable() > 0) ReadPiece();
    ReleaseCurrent()->deleteLater();
    session_.Closed();
    TakeNext();
}

void TcpEndpoint::CurrentIdle() {
    if (!current_) return;
    if (waiting_.empty()) return;  // the timer stopped: closed as soon as someone else comes
    session_.Log("connection from " + PeerName(current_) + " closed after " +
                 std::to_string(idle_.interval()) + " ms without data: another sender is waiting");
    QTcpSocket* silent = ReleaseCurrent();
    silent->disconnectFromHost();
    silent->deleteLater();
    session_.Closed();
    TakeNext();
}

QTcpSocket* TcpEndpoint::ReleaseCurrent() {
    QTcpSocket* socket = current_;
    socket->disconnect(this);
    current_ = nullptr;
    idle_.stop();
    return socket;
}

}  // namespace vprinter
