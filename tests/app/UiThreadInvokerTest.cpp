#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>

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
    // Waits the way the window does at close: spinning events, which serves the requests.
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 30000));
    worker.join();

    EXPECT_EQ(seenByWorker, QStringLiteral("before"));
    EXPECT_TRUE(ranOnUiThread);
    EXPECT_EQ(label.text(), QStringLiteral("after"));
}

}  // namespace
}  // namespace quillora
