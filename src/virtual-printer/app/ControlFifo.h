#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "virtual-printer/lib/PrinterMemory.h"
#include "virtual-printer/lib/ReceiptFolder.h"

namespace vprinter {

// A named pipe through which a person or a test changes the sensors while the printer runs:
// each line ("echo paper-out > /tmp/vp.ctl") takes effect at once; a writer's last line
// ends where the writer closes, newline or not. Lines it does not know are logged. The pipe
// is made by Open and removed when the object goes.
class ControlFifo final : public QObject {
public:
    ControlFifo(PrinterMemory& memory, ReceiptFolder& folder, std::function<void()> sensorsChanged)
        : memory_(memory), folder_(folder), sensorsChanged_(std::move(sensorsChanged)) {}
    ~ControlFifo() override;
    ControlFifo(const ControlFifo&) = delete;
    ControlFifo& operator=(const ControlFifo&) = delete;

    // Creates the pipe (replacing a pipe left behind, never another file) and listens.
    bool Open(const QString& path, QString& error);

private:
    void ReadAvailable();
    void TakeLine(const std::string& line);
    // Opens the pipe's reading end afresh: after the last writer has gone, the old one
    // would report its end at every turn of the event loop.
    bool Listen();

    PrinterMemory& memory_;
    ReceiptFolder& folder_;
    std::function<void()> sensorsChanged_;
    QString path_;
    int readFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string partial_;  // a line still without its newline
};

}  // namespace vprinter
