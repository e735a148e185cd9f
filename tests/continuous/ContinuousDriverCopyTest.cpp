// Driver-mode copies against the private CUPS scheduler of the test run: one spooler job
// per copy, read back as PDF text. Skipped with the reason when no such scheduler runs.
#include <gtest/gtest.h>
#include <QTest>

#include "app/ControlTable.h"
#include "driverprint/PrivateScheduler.h"
#include "driverprint/Spooler.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::PrivateScheduler;

TEST(ContinuousDriverCopies, EachCopyIsAJobOfItsOwnWithTheHeadingAboveTheText) {
    if (const auto reason = PrivateScheduler::Unavailable()) GTEST_SKIP() << *reason;
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    PrivateScheduler::SetServerDefault(PrivateScheduler::kFirstQueue);
    const int firstJob = PrivateScheduler::LastJobId();
    const std::unique_ptr<Spooler> cups = CreateCupsSpooler();
    test::DialogHarness h(*cups);
    MainTestDialog& dialog = h.Create();
    dialog.SetControlText(ctl::TextBox, QString::fromUtf8("疲劳测试 fatigue text"));
    dialog.SetControlText(ctl::Copies, QStringLiteral("2"));
    QTest::mouseClick(dialog.Control(ctl::DriverMode), Qt::LeftButton);
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印"); },
        60000));

    ASSERT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob));
    const std::vector<PrivateScheduler::Job> jobs = PrivateScheduler::JobsAfter(firstJob);
    ASSERT_EQ(jobs.size(), 2u);
    for (int copy = 1; copy <= 2; ++copy) {
        const PrivateScheduler::Job& job = jobs[copy - 1];
        EXPECT_EQ(job.title, "printer");
        EXPECT_EQ(job.queue, PrivateScheduler::kFirstQueue);
        const std::string pdf = PrivateScheduler::OutputPdf(job);
        EXPECT_EQ(PrivateScheduler::PdfPages(pdf), 1) << "job " << job.id;
        const std::string text = PrivateScheduler::PdfText(pdf);
        const size_t headingAt = text.find("当前第" + std::to_string(copy) + "份, 时间:09:05:03");
        ASSERT_NE(headingAt, std::string::npos) << text;
        EXPECT_NE(text.find("疲劳测试 fatigue text", headingAt), std::string::npos) << text;
    }
    EXPECT_TRUE(h.ports.Calls("SendData").empty() && h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
