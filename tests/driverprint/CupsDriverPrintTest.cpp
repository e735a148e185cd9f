// Driver printing against the private CUPS scheduler of the test run: real queues, real
// jobs, PDF files read back. Skipped with the reason when no such scheduler is running.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <set>

#include "PrivateScheduler.h"
#include "gui/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::PrivateScheduler;
using CupsDriverPrint = test::PrivateSchedulerTest;

// A default printer that the scheduler no longer knows, as when its queue was deleted
// after the default was read: the real spooler's check of it fails.
struct VanishedDefault : test::OfflineSpooler {
    explicit VanishedDefault(const Spooler& real) : real(real) {}
    PrinterName DefaultPrinterName() const override { return {"quillora-gone", {}}; }
    SpoolerStatus CheckPrinter(const std::string& name) const override {
        return real.CheckPrinter(name);
    }
    std::string DefaultDeviceEntry() const override {
        return "quillora-gone,Generic,cups-pdf:/gone";
    }
    const Spooler& real;
};

const QString kNoDefaultMessage = QString::fromUtf8("没有默认打印机,或者没有安装打印机!");

TEST_F(CupsDriverPrint, ChooserSetsTheDefaultThenPrintsTheTestPageOrPrintDocOrSaysThereIsNone) {
    const int firstJob = PrivateScheduler::LastJobId();
    test::DialogHarness h(*cups);
    MainTestDialog& dialog = h.Create();
    dialog.SetControlText(ctl::TextBox, QString::fromUtf8("Driver page\n驱动程序打印测试"));
    // Selects item `index` in the chooser and presses `button`; returns the preselected item.
    const auto pressDriverPrint = [&](int index, const char* button) {
        int preselected = -2;
        test::WhenModalOpens([&](QWidget* chooser) {
            auto* list = chooser->findChild<QComboBox*>(QStringLiteral("ctl1031"));
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("请选择打印机"));
            preselected = list->currentIndex();
            list->setCurrentIndex(index);
            QTest::mouseClick(chooser->findChild<QPushButton*>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        });
        QTest::mouseClick(dialog.Control(ctl::DriverPrint), Qt::LeftButton);
        QCoreApplication::processEvents();  // releases the modal watcher
        return preselected;
    };
    // "quillora-pdf" is a prefix of both names; the search from the second item alone
    // would take "quillora-pdf-2", but the default's own item is the one preselected.
    PrivateScheduler::SetServerDefault("quillora-pdf");
    EXPECT_EQ(pressDriverPrint(1, "ctl2"), 0);  // Cancel
    EXPECT_EQ(PrivateScheduler::ServerDefault(), "quillora-pdf");
    EXPECT_EQ(pressDriverPrint(1, "ctl1"), 0);  // OK
    EXPECT_EQ(PrivateScheduler::ServerDefault(), "quillora-pdf-2");
    h.WriteFile("Print.doc", "Prepared document for the driver test\n");
    EXPECT_EQ(pressDriverPrint(0, "ctl1"), 1);

    ASSERT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob));
    const std::vector<PrivateScheduler::Job> jobs = PrivateScheduler::JobsAfter(firstJob);
    ASSERT_EQ(jobs.size(), 2u);  // none from the cancelled chooser
    EXPECT_EQ(jobs[0].title + " on " + jobs[0].queue, "printer on quillora-pdf-2");
    EXPECT_EQ(jobs[1].title + " on " + jobs[1].queue, "Print.doc on quillora-pdf");
    const std::string page = PrivateScheduler::PdfText(PrivateScheduler::OutputPdf(jobs[0]));
    EXPECT_NE(page.find("Driver page\n驱动程序打印测试"), std::string::npos) << page;
    const std::string doc = PrivateScheduler::PdfText(PrivateScheduler::OutputPdf(jobs[1]));
    EXPECT_NE(doc.find("Prepared document for the driver test"), std::string::npos) << doc;

    // No default printer: OK with nothing chosen leaves the scheduler without one, and the
    // test page says so with the scheduler's status (1030 = 0x0406, client-error-not-found),
    // no icon, and prints nothing.
    std::filesystem::remove(h.Path("Print.doc"));
    PrivateScheduler::ClearServerDefault();
    const int lastJob = PrivateScheduler::LastJobId();
    EXPECT_EQ(pressDriverPrint(-1, "ctl1"), 0);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, kNoDefaultMessage + "1030");
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
    // A default that the scheduler does not know: the same message with its answer.
    VanishedDefault vanished(*cups);
    test::DialogHarness bare(vanished);
    bare.Create().PrintDriverTestPage();
    ASSERT_EQ(bare.messages.shown.size(), 1u);
    EXPECT_EQ(bare.messages.shown[0].text, kNoDefaultMessage + "1030");
    EXPECT_EQ(PrivateScheduler::LastJobId(), lastJob);
}

// The window's long sample text on a sheet and on a receipt roll: wrapped within the page,
// every word on the paper, none lost.
TEST_F(CupsDriverPrint, TestPageWrapsTheTextWithinThePaperOnA4AndOn80mmRolls) {
    for (const test::PaperQueue& paper : PrivateScheduler::kPaperQueues) {
        SCOPED_TRACE(paper.queue);
        test::DialogHarness h(*cups);
        MainTestDialog& dialog = h.Create();  // no "Print.txt": the built-in sample text
        const std::string text = dialog.ControlText(ctl::TextBox).toStdString();
        const std::vector<PrivateScheduler::Job> jobs =
            PrivateScheduler::JobsOf(paper.queue, [&] { dialog.PrintDriverTestPage(); });
        ASSERT_EQ(jobs.size(), 1u);
        const std::string pdf = PrivateScheduler::OutputPdf(jobs[0]);
        PrivateScheduler::SaveFirstPagePicture(pdf, std::string("driver-test-page-") + paper.paper);
        const std::vector<test::PdfPage> pages = PrivateScheduler::PdfLayout(pdf);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NEAR(pages[0].width, paper.widthPoints, 0.5);
        EXPECT_EQ(test::WordsOutside(pages[0]), "");
        EXPECT_EQ(test::Joined(pages[0].words), test::Comparable(text));
        std::set<long> lineTops;  // two paragraphs, so more than two lines means wrapped
        for (const test::PdfWord& word : pages[0].words) lineTops.insert(std::lround(word.yMin));
        EXPECT_GT(lineTops.size(), 4u);
    }
}

}  // namespace
}  // namespace quillora
