#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>

namespace quillora::test {

// Serves the user-interface thread's events (the worker's window requests among them)
// until `done` holds; false when `timeout` passes first.
inline bool ServeUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    QElapsedTimer timer;
    timer.start();
    QTimer tick;  // bounds each wait for events, so that `done` is looked at often
    tick.start(1);
    while (!done()) {
        if (timer.elapsed() > timeout.count()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace quillora::test
