// Driver printing against the private CUPS scheduler of the test run: real queues, real
// jobs, PDF files read back. Skipped with the reason when no such scheduler is running.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "PrivateScheduler.h"
#include "app/ControlTable.h"
#include "driverprint/Spooler.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::DialogHarness;
using test::PrivateScheduler;
using Job = PrivateScheduler::Job;

constexpr const char* kFirst = PrivateScheduler::kFirstQueue;
constexpr const char* kSecond = PrivateScheduler::kSecondQueue;

// The real spooler, with a "windows"/"device" entry of the test's choosing.
class FixedEntrySpooler : public Spooler {
public:
    FixedEntrySpooler(Spooler& real, std::string entry) : real_(real), entry_(std::move(entry)) {}
    PrinterList LocalPrinters() const override { return real_.LocalPrinters(); }
    PrinterName DefaultPrinterName() const override { return real_.DefaultPrinterName(); }
    SetDefaultResult SetDefaultPrinter(const std::string& name) override {
        return real_.SetDefaultPrinter(name);
    }
    std::string DefaultDeviceEntry() const override { return entry_; }
    SpoolerStatus CheckPrinter(const std::string& name) const override {
        return real_.CheckPrinter(name);
    }
    PrintFileResult PrintFile(const std::string& path) override { return real_.PrintFile(path); }

private:
    Spooler& real_;
    std::string entry_;
};

struct ChooserView {
    QString title;
    QStringList items;
    int selected = -2;
};

class CupsDriverPrint : public testing::Test {
protected:
    void SetUp() override {
        if (const auto reason = PrivateScheduler::Unavailable()) GTEST_SKIP() << *reason;
        // The environment must not pick a default of its own over the scheduler's.
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        firstJob_ = PrivateScheduler::LastJobId();
    }

    // Presses the driver-print button; the chooser, once up, gets item `index` selected and
    // `button` pressed. Returns what the chooser showed before.
    static ChooserView PressDriverPrint(MainTestDialog& dialog, int index, const char* button) {
        ChooserView view;
        test::WhenModalOpens([&](QWidget* chooser) {
            auto* list = chooser->findChild<QComboBox*>(QStringLiteral("ctl1031"));
            view.title = chooser->windowTitle();
            for (int i = 0; i < list->count(); ++i) view.items << list->itemText(i);
            view.selected = list->currentIndex();
            list->setCurrentIndex(index);
            QTest::mouseClick(chooser->findChild<QPushButton*>(QString::fromLatin1(button)),
                              Qt::LeftButton);
        });
        QTest::mouseClick(dialog.Control(ctl::DriverPrint), Qt::LeftButton);
        QCoreApplication::processEvents();  // releases the modal watcher
        return view;
    }

    std::vector<Job> NewJobs() const {
        EXPECT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob_));
        return PrivateScheduler::JobsAfter(firstJob_);
    }

    // The one page that `job` printed, as text.
    static std::string PrintedText(const Job& job) {
        const std::string pdf = PrivateScheduler::OutputPdf(job);
        EXPECT_FALSE(pdf.empty()) << "no PDF for job " << job.id;
        if (pdf.empty()) return {};
        EXPECT_EQ(PrivateScheduler::PdfPages(pdf), 1);
        return PrivateScheduler::PdfText(pdf);
    }

    std::unique_ptr<Spooler> cups_ = CreateCupsSpooler();
    int firstJob_ = 0;
};

TEST_F(CupsDriverPrint, ChooserPreselectsTheDefaultCancelKeepsItOkMakesTheChoiceTheDefault) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox))
        ->setPlainText(QString::fromUtf8("Quillora driver page\n驱动程序打印测试"));

    PrivateScheduler::SetServerDefault(kSecond);
    const ChooserView view = PressDriverPrint(dialog, 0, "ctl2");
    EXPECT_EQ(view.title, QStringLiteral("请选择打印机"));
    EXPECT_EQ(view.items, QStringList({"quillora-pdf", "quillora-pdf-2"}));
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);

    // "quillora-pdf" is a prefix of both names; the search from the second item alone
    // would take "quillora-pdf-2", but the default's own item is the one preselected.
    PrivateScheduler::SetServerDefault(kFirst);
    EXPECT_EQ(PressDriverPrint(dialog, 1, "ctl1").selected, 0);

    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);
    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);  // none from the cancelled chooser
    EXPECT_EQ(jobs[0].title, "printer");
    EXPECT_EQ(jobs[0].queue, kSecond);
    EXPECT_TRUE(jobs[0].completed);
    const std::string text = PrintedText(jobs[0]);
    EXPECT_NE(text.find("Quillora driver page"), std::string::npos) << text;
    EXPECT_NE(text.find("驱动程序打印测试"), std::string::npos) << text;
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(CupsDriverPrint, PreparedDocumentIsSentInsteadOfTheTestPage) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    h.WriteFile("Print.doc", "Prepared document for the driver test\n");
    PrivateScheduler::SetServerDefault(kSecond);

    PressDriverPrint(dialog, 0, "ctl1");

    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, "Print.doc");
    EXPECT_EQ(jobs[0].queue, kFirst);
    EXPECT_TRUE(jobs[0].completed);
    EXPECT_NE(PrintedText(jobs[0]).find("Prepared document for the driver test"),
              std::string::npos);
}

TEST_F(CupsDriverPrint, TestPageNeedsAThreeTokenEntryAndADefaultPrinter) {
    // Two tokens: nothing printed, nothing said.
    FixedEntrySpooler twoTokens(*cups_, "quillora-pdf,Generic CUPS-PDF Printer");
    DialogHarness quiet(twoTokens);
    quiet.Create();
    PrivateScheduler::SetServerDefault(kFirst);
    quiet.dialog->PrintDriverTestPage();
    EXPECT_TRUE(quiet.messages.shown.empty());

    // Three tokens but no default printer: the message with the scheduler's code, no icon.
    FixedEntrySpooler stale(*cups_, "quillora-gone,Generic CUPS-PDF Printer,cups-pdf:/gone");
    DialogHarness h(stale);
    h.Create();
    PrivateScheduler::ClearServerDefault();
    ASSERT_EQ(PrivateScheduler::ServerDefault(), "");
    h.dialog->PrintDriverTestPage();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    // 1030 = 0x0406, the scheduler's client-error-not-found.
    EXPECT_EQ(h.messages.shown[0].text,
              QString::fromUtf8("没有默认打印机,或者没有安装打印机!1030"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(NewJobs().empty());
}

}  // namespace
}  // namespace quillora
