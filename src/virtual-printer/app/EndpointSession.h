#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "virtual-printer/lib/EscPosInterpreter.h"
#include "virtual-printer/lib/ReceiptFolder.h"

namespace vprinter {

// One endpoint's printer: its interpreter, the receipts it finishes, and the timing that
// turns connections into receipts. A sender that connects once per write still makes one
// receipt as long as it reconnects within the join time. The log takes at most
// kLinesPerConnection lines from one connection (its receipts' lines among them): a stream
// of garbage makes many receipts, and the log stays readable and bounded.
class EndpointSession final : public QObject, public PrinterOutput {
public:
    static constexpr int kLinesPerConnection = 2000;

    EndpointSession(std::string name, PrinterMemory& memory, ReceiptFolder& folder,
                    int joinMilliseconds, int idleMilliseconds);

    // How replies reach the connected sender; set by the endpoint.
    void SetReplyChannel(std::function<void(const QByteArray&)> channel) {
        replyChannel_ = std::move(channel);
    }

    void Opened();
    void Received(const QByteArray& bytes);
    void Closed();

    // The sensors were changed from outside (the control FIFO).
    void SensorsChanged() { interpreter_.SensorsChanged(); }

    // The printer is shutting down: what has been printed becomes a receipt.
    void Finish();

    void Reply(const std::vector<std::uint8_t>& bytes) override;
    void Log(const std::string& line) override;
    void ReceiptDone(Receipt receipt) override;
    // Problems go into the log only.
    bool ListensForProblems() const override { return false; }

private:
    void Settle();
    // Whether one more line of this connection goes into the log.
    bool TakeLine();
    // Logs how many lines of the connection were left out, and starts counting afresh.
    void EndLineCount();

    std::string name_;
    ReceiptFolder& folder_;
    EscPosInterpreter interpreter_;
    std::function<void(const QByteArray&)> replyChannel_;
    QTimer quiet_;
    int joinMilliseconds_;
    int idleMilliseconds_;
    bool connected_ = false;
    int lines_ = 0;
    std::size_t linesLeftOut_ = 0;
};

}  // namespace vprinter
