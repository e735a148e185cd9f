// Driver-mode copies against the private CUPS scheduler of the test run: one spooler job
// per copy, read back from its PDF with the words' places. Skipped with the reason when no
// such scheduler runs.
#include <gtest/gtest.h>
#include <QTest>
#include <algorithm>

#include "driverprint/PrivateScheduler.h"
#include "driverprint/Spooler.h"
#include "gui/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::PdfWord;
using test::PrivateScheduler;
using ContinuousDriverCopies = test::PrivateSchedulerTest;

// Starts a driver-mode run of `copies` copies in the window and waits until it is over.
void RunDriverCopies(MainTestDialog& dialog, int copies) {
    dialog.SetControlText(ctl::Copies, QString::number(copies));
    QTest::mouseClick(dialog.Control(ctl::DriverMode), Qt::LeftButton);
    QTest::mouseClick(dialog.Control(ctl::StartStop), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dialog.ControlText(ctl::StartStop) == QString::fromUtf8("开始连续打印"); },
        60000));
}

bool IsHeadingWord(const PdfWord& word) {
    return word.text.starts_with("当前第") || word.text.starts_with("时间:");
}

TEST_F(ContinuousDriverCopies, EachCopyIsAJobWithItsTextBelowItsHeadingAndOnThePaper) {
    for (const test::PaperQueue& paper : PrivateScheduler::kPaperQueues) {
        SCOPED_TRACE(paper.queue);
        test::DialogHarness h(*cups);
        MainTestDialog& dialog = h.Create();  // the built-in sample text, long enough to wrap
        const std::string text = dialog.ControlText(ctl::TextBox).toStdString();
        const std::vector<PrivateScheduler::Job> jobs =
            PrivateScheduler::JobsOf(paper.queue, [&] { RunDriverCopies(dialog, 2); });
        ASSERT_EQ(jobs.size(), 2u);
        for (int copy = 1; copy <= 2; ++copy) {
            SCOPED_TRACE(copy);
            const PrivateScheduler::Job& job = jobs[copy - 1];
            EXPECT_EQ(job.title, "printer");
            const std::string pdf = PrivateScheduler::OutputPdf(job);
            if (copy == 1) {
                PrivateScheduler::SaveFirstPagePicture(pdf,
                                                       std::string("driver-copy-") + paper.paper);
            }
            const std::vector<test::PdfPage> pages = PrivateScheduler::PdfLayout(pdf);
            ASSERT_EQ(pages.size(), 1u);
            EXPECT_NEAR(pages[0].width, paper.widthPoints, 0.5);
            EXPECT_EQ(test::WordsOutside(pages[0]), "");
            std::vector<PdfWord> heading, body;
            std::ranges::partition_copy(pages[0].words, std::back_inserter(heading),
                                        std::back_inserter(body), IsHeadingWord);
            EXPECT_EQ(test::Joined(heading), "当前第" + std::to_string(copy) + "份,时间:09:05:03");
            EXPECT_EQ(test::Joined(body), test::Comparable(text));
            ASSERT_FALSE(heading.empty() || body.empty());
            const double headingBottom = std::ranges::max(heading, {}, &PdfWord::yMax).yMax;
            const double textTop = std::ranges::min(body, {}, &PdfWord::yMin).yMin;
            EXPECT_LE(headingBottom, textTop);
        }
        EXPECT_TRUE(h.ports.Calls("SendData").empty() && h.messages.shown.empty());
    }
}

TEST_F(ContinuousDriverCopies, WithoutADefaultPrinterEveryCopySaysSoAndTheRunGoesOn) {
    PrivateScheduler::ClearServerDefault();
    const int firstJob = PrivateScheduler::LastJobId();
    test::DialogHarness h(*cups);
    RunDriverCopies(h.Create(), 2);

    // The scheduler's client-error-not-found (0x0406) for each copy, no icon, no job.
    ASSERT_EQ(h.messages.shown.size(), 2u);
    for (const auto& shown : h.messages.shown) {
        EXPECT_EQ(shown.text, QString::fromUtf8("没有默认打印机,或者没有安装打印机!1030"));
        EXPECT_EQ(shown.icon, MessageIcon::None);
    }
    EXPECT_TRUE(PrivateScheduler::JobsAfter(firstJob).empty());
}

}  // namespace
}  // namespace quillora
