#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <memory>

#include "virtual-printer/app/EndpointSession.h"

namespace vprinter {

// A serial printer on a pseudo-terminal. The terminal's path is published as a symbolic
// link; a sender opening the link is a connection, its last close ends it.
class PtyEndpoint final : public QObject {
public:
    explicit PtyEndpoint(EndpointSession& session) : session_(session) {}
    ~PtyEndpoint() override;
    PtyEndpoint(const PtyEndpoint&) = delete;
    PtyEndpoint& operator=(const PtyEndpoint&) = delete;

    // Creates the terminal in raw mode and the link (replacing an old link, never a file).
    bool Open(const QString& linkPath, QString& error);
    const QString& TerminalPath() const { return terminal_; }
    // Closes the terminal and removes the link at once: nothing more is read, and a
    // sender still writing gets an error.
    void Close();

private:
    void ReadAvailable();
    void HungUp();
    void WatchForOpen();

    EndpointSession& session_;
    int master_ = -1;
    QString link_;
    QString terminal_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer openWatch_;  // a terminal with no sender reads as hung up: poll instead
    bool connected_ = false;
};

}  // namespace vprinter
