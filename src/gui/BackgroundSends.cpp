// The tests' sends off the window's thread: a short wait for the common quick send, then
// an event loop that keeps the window painted, with a progress dialog once the send has
// taken half a second.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "commands/SendReport.h"
#include "gui/ControlTable.h"
#include "gui/MainTestDialog.h"
#include "gui/SendProgressDialog.h"

namespace quillora {
namespace {

using namespace std::chrono_literals;

// Most sends are over within this; the window does not need to turn its loop for them.
constexpr std::chrono::microseconds kQuickSend = 20ms;
constexpr std::int64_t kProgressAfterMs = 500;
// How often the loop looks at the worker and refreshes the dialog.
constexpr int kRefreshMs = 15;

}  // namespace

SendTally MainTestDialog::SendInBackground(const PortName& port, std::int64_t total,
                                           const BackgroundSender::Job& job) {
    QElapsedTimer elapsed;
    elapsed.start();
    sender_.Start(port, total, job);
    if (sender_.WaitFinished(kQuickSend)) return sender_.Result();

    SetTestControlsEnabled(false);
    QWidget* startStop = Control(ctl::StartStop);
    const bool startStopWasEnabled = startStop->isEnabled();
    startStop->setEnabled(false);

    bool cancelling = false;
    SendProgressDialog progress(this, [&] {
        cancelling = true;
        sender_.Cancel();
    });
    QEventLoop loop;
    QTimer refresh;
    connect(&refresh, &QTimer::timeout, &loop, [&] {
        if (sender_.Finished()) {
            loop.quit();
            return;
        }
        // Again at every turn: a call that had not begun at the click is stopped too.
        if (cancelling) {
            sender_.Cancel();
            return;
        }
        const std::int64_t taken = std::min(sender_.Taken(), total);
        const std::int64_t ms = std::max<std::int64_t>(elapsed.elapsed(), 1);
        progress.Update(
            QString::fromStdString(SendProgressText(port, taken, total, taken * 1000 / ms)),
            total > 0 ? int(taken * SendProgressDialog::kSteps / total) : 0);
        if (!progress.isVisible() && ms >= kProgressAfterMs) {
            progress.show();
            loop.quit();  // from now on the loop takes user input: the dialog holds the window
        }
    });
    refresh.start(kRefreshMs);
    // Until the dialog shows, clicks and keys wait.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!sender_.Finished()) loop.exec();
    refresh.stop();
    progress.hide();

    SetTestControlsEnabled(true);
    startStop->setEnabled(startStopWasEnabled);
    return sender_.Result();
}

}  // namespace quillora
