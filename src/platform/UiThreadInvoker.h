#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <optional>
#include <type_traits>
#include <utility>

namespace quillora {

// Runs a call on the thread that owns `context` and waits for it, the way a worker's
// window message would be handled. Called on that thread itself it runs at once. The UI
// thread must keep its event loop turning while it waits for a worker (a nested loop is
// enough), otherwise the worker's request is never served.
class UiThreadInvoker {
public:
    explicit UiThreadInvoker(QObject* context) : context_(context) {}

    template <class F>
    std::invoke_result_t<F> Invoke(F&& call) const {
        using R = std::invoke_result_t<F>;
        if (QThread::currentThread() == context_->thread()) return call();
        if constexpr (std::is_void_v<R>) {
            QMetaObject::invokeMethod(context_, std::forward<F>(call),
                                      Qt::BlockingQueuedConnection);
        } else {
            std::optional<R> result;
            QMetaObject::invokeMethod(
                context_, [&] { result.emplace(call()); }, Qt::BlockingQueuedConnection);
            return result ? std::move(*result) : R{};
        }
    }

private:
    QObject* context_;
};

}  // namespace quillora
