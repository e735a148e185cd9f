#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <system_error>

#include "platform/UniqueFd.h"

namespace quillora {

// SIGTERM (a logout, `kill`) and SIGINT (Ctrl+C in the terminal) end a program as its own
// way of closing does: the window as its close button (the settings are written), the
// virtual printer by leaving its event loop (the last receipt is written). The signals are
// read from a signalfd on the event loop: no code of ours runs inside a signal handler.

// Blocks both signals in the calling thread. Call it before any other thread starts, so
// that every thread inherits the mask and the signals wait for the signalfd.
void BlockTerminationSignals();

class TerminationSignals {
public:
    // Calls `onSignal` on the calling thread's event loop for each signal that arrives.
    // On failure gives null and the OS error, and unblocks the signals, so that they end
    // the process as they would without us.
    static std::unique_ptr<TerminationSignals> Watch(std::function<void()> onSignal,
                                                     std::error_code& error);

    TerminationSignals(UniqueFd fd, std::function<void()> onSignal);

private:
    void Drain();

    UniqueFd fd_;
    QSocketNotifier notifier_;
    std::function<void()> onSignal_;
};

}  // namespace quillora
