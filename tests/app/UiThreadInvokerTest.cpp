#include <gtest/gtest.h>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <atomic>
#include <thread>

#include "platform/UiThreadInvoker.h"

namespace quillora {
namespace {

TEST(UiThreadInvoker, WorkerCallsRunOnTheUiThreadWhileItWaitsForTheWorker) {
    QLabel label(QStringLiteral("before"));
    UiThreadInvoker ui(&label);
    std::atomic<bool> done{false};
    QString seenByWorker;
    bool ranOnUiThread = false;

    EXPECT_EQ(ui.Invoke([&] { return label.text(); }), QStringLiteral("before"));  // at once
    std::thread worker([&] {
        seenByWorker = ui.Invoke([&] { return label.text(); });
        ui.Invoke([&] {
            ranOnUiThread = QThread::currentThread() == label.thread();
            label.setText(QStringLiteral("after"));
        });
        done = true;
    });
    // The UI thread waits for the worker the way the window does at close: a nested
    // loop that keeps serving requests.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done) loop.quit();
    });
    poll.start(1);
    loop.exec();
    worker.join();

    EXPECT_EQ(seenByWorker, QStringLiteral("before"));
    EXPECT_TRUE(ranOnUiThread);
    EXPECT_EQ(label.text(), QStringLiteral("after"));
}

}  // namespace
}  // namespace quillora
