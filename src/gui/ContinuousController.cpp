#include "gui/ContinuousController.h"

#include <QEventLoop>
#include <QTimer>

#include "checks/ContinuousCheck.h"
#include "gui/ControlTable.h"
#include "gui/MainTestDialog.h"
#include "gui/WindowCheckHost.h"

namespace quillora {
namespace {

QString StartCaption() {
    return WindowCaption(QT_TRANSLATE_NOOP("MainWindow", "开始连续打印"));
}
QString StopCaption() {
    return WindowCaption(QT_TRANSLATE_NOOP("MainWindow", "结束连续打印"));
}

}  // namespace

ContinuousController::ContinuousController(MainTestDialog& window) : window_(window) {}

ContinuousController::~ContinuousController() = default;

void ContinuousController::Toggle() {
    if (state_ != State::Idle) {
        RequestStop();
        return;
    }
    // Idle only after the previous worker's last window request, so what is left of that
    // thread is its return: joining cannot block on us.
    if (worker_.joinable()) worker_.join();
    stopRequested_ = 0;
    state_ = State::Running;
    // Made before the caption flips: reports name the run by the caption that started it.
    host_ = std::make_unique<WindowCheckHost>(window_, ctl::StartStop);
    window_.SetTestControlsEnabled(false);
    window_.SetControlText(ctl::StartStop, StopCaption());
    worker_ = std::jthread([this] { RunContinuousCheck(*host_); });
}

void ContinuousController::RequestStop() {
    stopRequested_ = 1;
    if (state_ == State::Running) state_ = State::Stopping;
}

void ContinuousController::WaitUntilIdle() {
    // The worker still needs this thread for its window requests, the last of which ends
    // the run; user input is held back so nothing new starts meanwhile.
    QEventLoop loop;
    while (state_ != State::Idle) {
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    }
    if (worker_.joinable()) worker_.join();
}

void ContinuousController::RunOver(const QString& lostCopies) {
    state_ = State::Idle;
    window_.SetControlText(ctl::StartStop, StartCaption());
    window_.SetTestControlsEnabled(true);
    if (lostCopies.isEmpty()) return;
    // From the event loop, after this request has returned: a box held open must hold
    // neither the worker nor a close that waits for it.
    QTimer::singleShot(0, &window_, [&window = window_, lostCopies] {
        window.ShowMessage(lostCopies, MessageIcon::Exclamation);
    });
}

}  // namespace quillora
