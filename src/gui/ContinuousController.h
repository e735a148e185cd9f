#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>

namespace quillora {

class MainTestDialog;
class WindowCheckHost;

// The window's continuous run: its worker thread, its stop request and its state, which the
// start/stop button's caption shows ("开始连续打印" when idle, "结束连续打印" while a run
// goes on or winds down). The worker never touches a widget: it reads controls and ends the
// run through the window's UiThread.
class ContinuousController {
public:
    enum class State { Idle, Running, Stopping };

    explicit ContinuousController(MainTestDialog& window);
    ~ContinuousController();
    ContinuousController(const ContinuousController&) = delete;
    ContinuousController& operator=(const ContinuousController&) = delete;

    // The start/stop button: starts a run when idle, otherwise asks it to stop.
    void Toggle();
    // Asks a run to stop, and any run started later to stop at once.
    void RequestStop();
    // Turns the event loop (without user input) until the worker's last window request,
    // then joins it. The window calls it as it closes.
    void WaitUntilIdle();
    // The worker's last window request: caption and controls back, in one go, then
    // `lostCopies` (when not empty) in a box of its own once the worker has let go.
    void RunOver(const QString& lostCopies = {});

    State CurrentState() const { return state_; }
    int StopRequested() const { return stopRequested_.load(); }
    const std::atomic<int>& StopFlag() const { return stopRequested_; }

private:
    MainTestDialog& window_;
    std::atomic<int> stopRequested_{0};
    State state_ = State::Idle;  // the window's thread only
    std::unique_ptr<WindowCheckHost> host_;
    std::jthread worker_;  // last: it uses everything above
};

}  // namespace quillora
