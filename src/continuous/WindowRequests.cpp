#include "continuous/WindowRequests.h"

#include <QCoreApplication>
#include <QEvent>
#include <memory>

namespace quillora {

void WindowRequests::Post(std::function<void()>& request) {
    // Made before the mutex is released, so that the receiver's lock in customEvent orders
    // the event's making before Qt deletes it over there.
    auto wakeUp = std::make_unique<QEvent>(QEvent::User);
    {
        std::lock_guard lock(mutex_);
        pending_ = &request;
    }
    QCoreApplication::postEvent(this, wakeUp.release());
}

void WindowRequests::customEvent(QEvent*) {
    std::function<void()>* request = nullptr;
    {
        std::lock_guard lock(mutex_);
        request = std::exchange(pending_, nullptr);
    }
    if (request) (*request)();
}

}  // namespace quillora
