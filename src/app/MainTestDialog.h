#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/AppServices.h"
#include "app/DataExchange.h"
#include "platform/MessageService.h"
#include "platform/UiThreadInvoker.h"
#include "port/BackgroundSender.h"
#include "port/PortDriver.h"

class QComboBox;
class QMenu;
class QPlainTextEdit;

namespace quillora {

class PrinterDeviceContext;
class TrafficMonitorWindow;

// The program's one main window. It owns every control and all test state; the handlers
// of its buttons are defined in the folder of their subsystem (port/, commands/,
// imaging/, driverprint/, continuous/), this class's own files hold only the window.
class MainTestDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainTestDialog(const AppServices& services, QWidget* parent = nullptr);
    ~MainTestDialog() override;

    // --- Test state (shared with the continuous-print worker) ---
    std::atomic<int> StopRequested{0};
    std::atomic<int> IntervalSeconds{1};
    std::atomic<int> CopyCount{1};
    std::atomic<int> PrintMode{0};

    // --- The window (app/) ---
    bool UpdateData(bool pull);
    void SetTestControlsEnabled(bool enable);
    void OnSysCommand(unsigned commandId);
    void RouteCommand(int controlId);

    // Controls by id, and the reads and writes that handlers make on them.
    QWidget* Control(int id) const;
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    // The text box's text as the printer gets it: GBK with CR LF line breaks.
    std::string TextBoxBytes() const;
    // The selected connection list entry (GBK), "" when none is selected.
    std::string SelectedEntryText() const;

    // Every message box a handler raises; owned by this window.
    void ShowMessage(const QString& text, MessageIcon icon);

    const AppServices& Services() const { return services_; }
    // Reads and writes of controls from the continuous-print worker go through here.
    UiThreadInvoker& UiThread() const { return *uiThread_; }

    // --- Port selection (port/) ---
    void BuildConnectionList();
    void ApplyPortSelection();
    void ShowPortProperties();
    PortName CurrentPortName(bool pullFields);

    // --- One-shot tests, switches, status queries (commands/) ---
    void SinglePrintTest();
    void HalfCutTest();
    void FullCutTest();
    void FeedTest();
    void CashDrawerTest();
    void BarcodeTest();
    void EnlargementTest();
    void BlackMarkFeedTest();
    void AlignmentTest();
    void PrintFileTest();
    void ToggleBlackMark();
    void ToggleNearEndDetection();
    void TogglePaperTakeSensor();
    void ToggleCutter();
    // Runs a test's sends off the window's thread and returns when they are over: the test
    // controls are disabled meanwhile, and sends not over after half a second show a
    // progress dialog whose cancel button stops them.
    SendTally SendInBackground(const PortName& port, std::int64_t total,
                               const BackgroundSender::Job& job);
    // SendInBackground of blocks in order, every one whatever the one before came to.
    SendTally SendBlocksInBackground(const PortName& port, const std::vector<std::string>& blocks);
    // Says, in an exclamation box, why `test` did not get every byte to `port`; nothing
    // when it did. `firstLine` leads the text when given.
    void ReportSend(const QString& test, const PortName& port, const SendTally& tally,
                    const QString& firstLine = {});
    void PaperNearEndQuery();
    void PaperTakenQuery();
    void SerialStatusQuery();

    // --- Bitmap tests (imaging/) ---
    std::optional<QString> ChooseBmpFile();
    void NvLogoButtonClicked();
    void RasterGraphicsButtonClicked();
    void DownloadNvLogo(const QString& path);
    void PrintRasterGraphics(const QString& path);

    // --- Driver printing (driverprint/) ---
    void DriverPrintTest();
    void PrintDriverTestPage();
    // A context on the spooler's default printer, nullptr when none. Callable from the
    // worker thread: its message box goes through UiThread(). Include
    // "driverprint/PrinterDeviceContext.h" to use the result.
    std::unique_ptr<PrinterDeviceContext> CreateDefaultPrinterDC();

    // --- Continuous test (continuous/) ---
    void ToggleContinuousPrint();
    void PrintModeChanged();
    void ApplyPrintMode(int mode);
    void PrintPortCopy(int copyNumber);
    void PrintDriverCopy(int copyNumber);

    // --- Traffic monitor (monitor/) ---
    // Opens the monitor window, or brings it to the front; nothing without a record.
    void ShowTrafficMonitor();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void InitDialog();
    bool PullInteger(int id, std::atomic<int>& field, const IntegerRange& range);
    void OnDestroy();

    AppServices services_;
    UiThreadInvoker* uiThread_;  // child of this window
    std::map<int, QWidget*> controls_;
    QPlainTextEdit* textBox_ = nullptr;
    QComboBox* portList_ = nullptr;
    bool destroyed_ = false;

    // --- State of the subsystems' handlers (each area keeps its own block) ---

    // The tests' sends: one worker thread for the window's life.
    BackgroundSender sender_;

    // Continuous test: the worker thread of the running (or last) run, its body, and the
    // wait at destruction. The start/stop caption is the run state: set by the start,
    // restored by the worker's last window request.
    int ContinuousPrintWorker();
    void WaitForContinuousWorker();
    std::jthread continuousWorker_;

    // Traffic monitor: Ctrl+M and the context-menu entry; the window deletes itself when
    // closed, so the pointer empties.
    void InstallTrafficMonitorShortcut();
    void AddTrafficMonitorEntry(QMenu& menu);
    QPointer<TrafficMonitorWindow> trafficMonitor_;
};

}  // namespace quillora
