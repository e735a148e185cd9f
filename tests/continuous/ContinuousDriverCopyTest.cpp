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
    int copy = 0;
    for (const PrivateScheduler::Job& job : jobs) {
        EXPECT_EQ(job.title, "printer");
        // The heading, then the text below it.
        const std::string text = PrivateScheduler::PdfText(PrivateScheduler::OutputPdf(job));
        const size_t heading = text.find("当前第" + std::to_string(++copy) + "份, 时间:09:05:03");
        EXPECT_NE(text.find("疲劳测试 fatigue text", heading), std::string::npos) << text;
    }
    EXPECT_TRUE(h.ports.Calls("SendData").empty() && h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
