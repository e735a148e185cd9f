#pragma once

#include <QObject>
#include <QThread>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <type_traits>

namespace quillora {

// Runs a call on the thread that owns this object and waits for its result, the way a
// worker's window message would be handled; called on that thread itself it runs at once.
// The owning thread must keep its event loop turning while it waits for a worker (a nested
// loop is enough), otherwise the request is never served.
//
// The request travels through a mutex and its answer through a promise; Qt only carries an
// empty wake-up event. A blocking queued call would hand the functor between the threads
// inside Qt, where a race detector cannot follow it, so every such call would read as a race.
class UiThreadInvoker : public QObject {
public:
    explicit UiThreadInvoker(QObject* parent) : QObject(parent) {}

    template <class F>
    std::invoke_result_t<F> Invoke(F&& call) {
        using R = std::invoke_result_t<F>;
        if (QThread::currentThread() == thread()) return call();
        std::promise<R> answer;
        std::future<R> result = answer.get_future();
        std::function<void()> request = [&] {
            if constexpr (std::is_void_v<R>) {
                call();
                answer.set_value();
            } else {
                answer.set_value(call());
            }
        };
        Post(request);
        return result.get();
    }

protected:
    void customEvent(QEvent* event) override;

private:
    void Post(std::function<void()>& request);

    std::mutex mutex_;
    std::deque<std::function<void()>*> pending_;
};

}  // namespace quillora
