#pragma once

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <deque>

#include "virtual-printer/app/EndpointSession.h"

namespace vprinter {

// A network printer on a loopback address: one connection at a time, as a printer has one
// print head, the next waiting until the current one closes. A current connection that has
// sent nothing for the idle time while another waits is closed, so that a silent sender
// holds no one up; more than kMaxConnections at once are refused (reset) as they come.
class TcpEndpoint final : public QObject {
public:
    // The connection served and those waiting behind it.
    static constexpr int kMaxConnections = 16;
    // Read a piece at a time, so that a fast sender is held back by TCP itself and the
    // program returns to its events (a signal among them) between pieces.
    static constexpr qint64 kReadPiece = 64 * 1024;

    TcpEndpoint(EndpointSession& session, int idleMilliseconds);
    ~TcpEndpoint() override;
    TcpEndpoint(const TcpEndpoint&) = delete;
    TcpEndpoint& operator=(const TcpEndpoint&) = delete;

    bool Listen(const QHostAddress& address, quint16 port, QString& error);
    // Stops listening and resets every connection at once: nothing more is read, and a
    // sender still writing sees its connection reset.
    void Close();

private:
    void Accept();
    void TakeNext();
    void ReadCurrent();
    // One piece of the current connection's data to the session, with the idle time afresh.
    void ReadPiece();
    void CurrentClosed();
    void CurrentIdle();
    // Detaches the current connection and hands it back to `server_` for deletion.
    QTcpSocket* ReleaseCurrent();

    EndpointSession& session_;
    QTcpServer server_;
    QTcpSocket* current_ = nullptr;    // owned by server_ (Qt parent), as are the waiting
    std::deque<QTcpSocket*> waiting_;  // each with its own small read buffer
    // Runs while a current sender is within its idle time; stopped with one, it has been
    // silent for that long.
    QTimer idle_;
};

}  // namespace vprinter
