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
// each line ("echo paper-out > /tmp/vp.ctl") takes effect at once. Lines it does not know
// are logged. The pipe is made by Open and removed when the object goes.
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

    PrinterMemory& memory_;
    ReceiptFolder& folder_;
    std::function<void()> sensorsChanged_;
    QString path_;
    int readFd_ = -1;
    int writeFd_ = -1;  // our own writer: without one, each writer's close is an end of file
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string partial_;  // a line still without its newline
};

}  // namespace vprinter
