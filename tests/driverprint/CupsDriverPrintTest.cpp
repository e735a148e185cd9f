// Driver printing against the private CUPS scheduler of the test run: real queues, real
// jobs, PDF files read back. Skipped with the reason when no such scheduler is running.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "PrivateScheduler.h"
#include "app/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::PrivateScheduler;

// The real spooler's default and checks, with a three-token "windows"/"device" entry.
struct EntryWithoutDefault : test::OfflineSpooler {
    explicit EntryWithoutDefault(const Spooler& real) : real(real) {}
    PrinterName DefaultPrinterName() const override { return real.DefaultPrinterName(); }
    SpoolerStatus CheckPrinter(const std::string& name) const override {
        return real.CheckPrinter(name);
    }
    std::string DefaultDeviceEntry() const override { return "gone,Generic,cups-pdf:/gone"; }
    const Spooler& real;
};

TEST(CupsDriverPrint, ChooserSetsTheDefaultThenPrintsTheTestPageOrPrintDocOrSaysThereIsNone) {
    if (const auto reason = PrivateScheduler::Unavailable()) GTEST_SKIP() << *reason;
    // The environment must not pick a default of its own over the scheduler's.
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    const int firstJob = PrivateScheduler::LastJobId();
    const std::unique_ptr<Spooler> cups = CreateCupsSpooler();
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

    // A three-token entry but no default printer: the message with the scheduler's code.
    EntryWithoutDefault noDefault(*cups);
    test::DialogHarness bare(noDefault);
    PrivateScheduler::ClearServerDefault();
    bare.Create().PrintDriverTestPage();
    ASSERT_EQ(bare.messages.shown.size(), 1u);
    // 1030 = 0x0406, the scheduler's client-error-not-found; no icon.
    EXPECT_EQ(bare.messages.shown[0].text,
              QString::fromUtf8("没有默认打印机,或者没有安装打印机!1030"));
    EXPECT_EQ(bare.messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace quillora
