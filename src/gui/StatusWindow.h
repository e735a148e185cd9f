#pragma once

#include <QWidget>
#include <memory>

#include "commands/PrinterQueries.h"
#include "platform/TickClock.h"
#include "port/ExchangeGate.h"
#include "port/PortDriver.h"
#include "status/StatusHistory.h"
#include "status/StatusLights.h"
#include "status/StatusMonitor.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QPlainTextEdit;

namespace quillora {

class FileDialogService;
class MessageService;
class StatusWatcher;

// "打印机状态": the lights of one connection kept live, what the printer says of itself, and
// the changes with their times, which can be saved as text. Not modal. Its monitor runs on a
// thread of its own and hands each change to this window's thread; closing it stops that.
class StatusWindow : public QWidget {
    Q_OBJECT

public:
    struct Services {
        PortDriver& ports;
        ExchangeGate& gate;
        TickClock& clock;
        FileDialogService& files;
        MessageService& messages;
    };
    StatusWindow(const Services& services, PortName port, QWidget* parent = nullptr);
    ~StatusWindow() override;

    const PortName& Port() const { return port_; }

    // What the window shows now, for a look from outside (tests, screen readers).
    QString LightText(const char* key) const;
    QString HistoryText() const { return QString::fromStdString(history_.Text()); }
    QString InformationText() const;
    bool Polling() const;

    // Starts watching again, polling only or automatic status back first.
    void SetPolling(bool polling);
    void SaveHistory();

private:
    void Start(StatusMode mode);
    void Stop();
    void Show(const StatusReading& reading, const std::vector<Light>& changes);
    void ShowInformation(const PrinterInformation& information);

    Services services_;
    const PortName port_;
    std::unique_ptr<StatusMonitor> monitor_;
    std::unique_ptr<StatusWatcher> watcher_;
    StatusHistory history_;
    bool informationAsked_ = false;

    std::vector<std::pair<QLabel*, QLabel*>> lights_;  // the dot and the value, by LightsOf order
    std::vector<const char*> keys_;
    QLabel* information_ = nullptr;
    QLabel* mode_ = nullptr;
    QPlainTextEdit* historyView_ = nullptr;
    QCheckBox* polling_ = nullptr;
};

}  // namespace quillora
