#include "platform/UiThreadInvoker.h"

#include <QCoreApplication>
#include <QEvent>
#include <memory>

namespace quillora {

void UiThreadInvoker::Post(std::function<void()>& request) {
    // Made before the mutex is released, so that the receiver's lock in customEvent orders
    // the event's making before Qt deletes it over there.
    auto wakeUp = std::make_unique<QEvent>(QEvent::User);
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(&request);
    }
    QCoreApplication::postEvent(this, wakeUp.release());
}

void UiThreadInvoker::customEvent(QEvent*) {
    std::function<void()>* request = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty()) return;
        request = pending_.front();
        pending_.pop_front();
    }
    (*request)();
}

}  // namespace quillora
