#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <future>
#include <mutex>
#include <type_traits>

namespace quillora {

// Window requests of the continuous-print worker: Ask runs a call on the thread that owns
// this object (the user-interface thread, which must keep serving events meanwhile) and
// waits for its result. Like UiThreadInvoker::Invoke, but the request travels through a
// mutex and comes back through a promise, and Qt only carries an empty wake-up event: a
// blocking queued call hands its functor between the threads through futexes inside Qt,
// which a race detector cannot follow, so every such call would read as a race.
class WindowRequests : public QObject {
public:
    explicit WindowRequests(QObject* parent) : QObject(parent) {}

    template <class F>
    std::invoke_result_t<F> Ask(F&& call) {
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
    std::function<void()>* pending_ = nullptr;  // one worker, one request at a time
};

}  // namespace quillora
