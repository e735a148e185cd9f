#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <atomic>
#include <map>
#include <optional>
#include <string>

#include "checks/DataExchange.h"
#include "gui/AppServices.h"
#include "gui/ContinuousController.h"
#include "gui/MessageService.h"
#include "platform/UiThreadInvoker.h"
#include "port/BackgroundSender.h"
#include "port/ExchangeGate.h"
#include "port/GatedPortDriver.h"
#include "port/PortDriver.h"

class QComboBox;
class QMenu;
class QPlainTextEdit;

namespace quillora {

struct Check;
class TrafficMonitorWindow;
class StatusWindow;
enum class SymbolKind;
struct SymbolRequest;

// The program's one main window. It owns every control; its buttons run the checks of the
// catalogue (checks/) through a WindowCheckHost, and the continuous run belongs to its
// ContinuousController. Its handlers only read controls, call a check and show the result.
class MainTestDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainTestDialog(const AppServices& services, QWidget* parent = nullptr);
    ~MainTestDialog() override;

    // --- The continuous run's settings, as the boxes last gave them (read by its worker) ---
    std::atomic<int> IntervalSeconds{1};
    std::atomic<int> CopyCount{1};
    std::atomic<int> PrintMode{0};

    // --- The window ---
    bool UpdateData(bool pull);
    void SetTestControlsEnabled(bool enable);
    void OnSysCommand(unsigned commandId);
    // A click (or selection change) of a control: the catalogue's check of that button, or
    // the window's own handler.
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
    ContinuousController& Continuous() { return continuous_; }

    // --- Port selection ---
    void BuildConnectionList();
    void ApplyPortSelection();
    void ShowPortProperties();
    PortName CurrentPortName(bool pullFields);

    // --- The checks' buttons (each runs its catalogue entry) ---
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
    void PaperNearEndQuery();
    void PaperTakenQuery();
    void SerialStatusQuery();
    void NvLogoButtonClicked();
    void RasterGraphicsButtonClicked();
    void DownloadNvLogo(const QString& path);
    void PrintRasterGraphics(const QString& path);
    void DriverPrintTest();
    // The test page on the default printer, without the chooser.
    void PrintDriverTestPage();
    // Runs `check` on this window; `file` answers its file choice instead of the dialog.
    void RunWindowCheck(const Check& check, std::optional<QString> file = {});

    // Runs a check's sends off the window's thread and returns when they are over: the test
    // controls are disabled meanwhile, and sends not over after half a second show a
    // progress dialog whose cancel button stops them.
    SendTally SendInBackground(const PortName& port, std::int64_t total,
                               const BackgroundSender::Job& job);

    // --- Continuous test ---
    void ToggleContinuousPrint();
    void PrintModeChanged();
    void ApplyPrintMode(int mode);

    // --- Traffic monitor ---
    // Opens the monitor window, or brings it to the front; nothing without a record.
    void ShowTrafficMonitor();

    // --- Printer status and 2D codes (the context menu) ---
    // Opens "打印机状态" for the selected connection, or brings it to the front.
    void ShowStatusWindow();
    StatusWindow* OpenStatusWindow() const;
    // Opens the dialog of a 2D-code check; its 打印 runs the catalogue's entry.
    void ShowSymbolDialog(SymbolKind kind);
    void RunSymbolCheck(SymbolKind kind, const SymbolRequest& request);
    // One caller at a time on the connections: the checks hold it while they run, the status
    // window for each exchange. GatedPorts passes it call by call.
    ExchangeGate& Gate() { return gate_; }
    PortDriver& GatedPorts() { return gatedPorts_; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();
    void InitDialog();
    bool PullInteger(int id, std::atomic<int>& field, const IntegerRange& range);
    void OnDestroy();
    void RunCheckOf(int controlId, std::optional<QString> file = {});

    AppServices services_;
    UiThreadInvoker* uiThread_;  // child of this window
    std::map<int, QWidget*> controls_;
    QPlainTextEdit* textBox_ = nullptr;
    QComboBox* portList_ = nullptr;
    bool destroyed_ = false;

    // The checks' sends: one worker thread for the window's life.
    BackgroundSender sender_;
    ContinuousController continuous_;

    // Traffic monitor: Ctrl+M and the context-menu entry; the window deletes itself when
    // closed, so the pointer empties.
    void InstallTrafficMonitorShortcut();
    void AddTrafficMonitorEntry(QMenu& menu);
    QPointer<TrafficMonitorWindow> trafficMonitor_;

    // Printer status: Ctrl+S and the context-menu entries (status, 2D codes).
    void InstallStatusShortcut();
    void AddStatusEntries(QMenu& menu);
    ExchangeGate gate_;
    GatedPortDriver gatedPorts_;
    QPointer<StatusWindow> statusWindow_;
};

}  // namespace quillora
