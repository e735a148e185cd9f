// Driver printing against the private CUPS scheduler of the test run: real queues, real
// jobs, PDF files read back. Skipped with the reason when no such scheduler is running.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <thread>

#include "PrivateScheduler.h"
#include "app/ControlTable.h"
#include "driverprint/PrinterDeviceContext.h"
#include "driverprint/Spooler.h"
#include "platform/CodePage936.h"
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
    std::vector<std::string> items;
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

    // Presses the driver-print button; `answer` runs on the chooser once it is up and
    // closes it. Returns what the chooser showed.
    ChooserView PressDriverPrint(MainTestDialog& dialog,
                                 const std::function<void(QDialog*)>& answer) {
        ChooserView view;
        test::WhenModalOpens([&](QWidget* modal) {
            auto* list = modal->findChild<QComboBox*>(QStringLiteral("ctl1031"));
            if (list) {
                for (int i = 0; i < list->count(); ++i)
                    view.items.push_back(list->itemText(i).toStdString());
                view.selected = list->currentIndex();
            }
            answer(static_cast<QDialog*>(modal));
        });
        QTest::mouseClick(dialog.Control(ctl::DriverPrint), Qt::LeftButton);
        QCoreApplication::processEvents();  // releases the modal watcher
        return view;
    }

    static void Choose(QDialog* chooser, int index, const char* button) {
        chooser->findChild<QComboBox*>(QStringLiteral("ctl1031"))->setCurrentIndex(index);
        QTest::mouseClick(chooser->findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
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

    struct PageRun {
        std::vector<Job> jobs;
        std::vector<test::RecordingMessages::Shown> messages;
    };
    // The test page through a spooler whose device entry is `entry`, `queue` the default.
    PageRun PrintTestPageWith(const std::string& entry, const char* queue) {
        FixedEntrySpooler spooler(*cups_, entry);
        DialogHarness h(spooler);
        h.Create();
        PrivateScheduler::SetServerDefault(queue);
        h.dialog->PrintDriverTestPage();
        return {NewJobs(), h.messages.shown};
    }

    std::unique_ptr<Spooler> cups_ = CreateCupsSpooler();
    int firstJob_ = 0;
};

TEST_F(CupsDriverPrint, ChooserListsBothQueuesInSpoolerOrderAndPreselectsTheDefault) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();

    PrivateScheduler::SetServerDefault(kSecond);
    ChooserView view = PressDriverPrint(dialog, [](QDialog* c) { Choose(c, 0, "ctl2"); });
    EXPECT_EQ(view.items, (std::vector<std::string>{"quillora-pdf", "quillora-pdf-2"}));
    EXPECT_EQ(view.selected, 1);

    // "quillora-pdf" is a prefix of both names; the search from the second item alone
    // would take "quillora-pdf-2", but the default's own item is the one preselected.
    PrivateScheduler::SetServerDefault(kFirst);
    view = PressDriverPrint(dialog, [](QDialog* c) { Choose(c, 1, "ctl2"); });
    EXPECT_EQ(view.selected, 0);
    EXPECT_TRUE(NewJobs().empty());
}

TEST_F(CupsDriverPrint, CancelChangesNothing) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    PrivateScheduler::SetServerDefault(kSecond);

    PressDriverPrint(dialog, [](QDialog* c) { Choose(c, 0, "ctl2"); });

    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);
    EXPECT_TRUE(NewJobs().empty());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(CupsDriverPrint, OkMakesTheChoiceTheDefaultAndPrintsOneTestPageJobThere) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox))
        ->setPlainText(QString::fromUtf8("Quillora driver page\n驱动程序打印测试"));
    PrivateScheduler::SetServerDefault(kFirst);

    PressDriverPrint(dialog, [](QDialog* c) { Choose(c, 1, "ctl1"); });

    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);
    EXPECT_EQ(cups_->DefaultPrinterName().name, kSecond);
    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, "printer");
    EXPECT_EQ(jobs[0].queue, kSecond);
    EXPECT_TRUE(jobs[0].completed);
    const std::string text = PrintedText(jobs[0]);
    EXPECT_NE(text.find("Quillora driver page"), std::string::npos) << text;
    EXPECT_NE(text.find("驱动程序打印测试"), std::string::npos) << text;
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST_F(CupsDriverPrint, TestPageWrapsLongTextAtWordsAndPrintsAnEmptyBoxAsABlankPage) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    auto* box = static_cast<QPlainTextEdit*>(dialog.Control(ctl::TextBox));
    QStringList words;
    for (int i = 1; i <= 300; ++i) words << QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
    box->setPlainText(words.join(' '));
    PrivateScheduler::SetServerDefault(kFirst);

    dialog.PrintDriverTestPage();
    box->clear();
    dialog.PrintDriverTestPage();

    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 2u);
    const QStringList lines =
        QString::fromStdString(PrintedText(jobs[0])).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 2);  // one line of 1200 characters does not fit across A4
    // Joined again, the lines hold every word whole and in order.
    QStringList printed;
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty() && line != QStringLiteral("\f")) printed << line.trimmed();
    }
    EXPECT_EQ(printed.join(' '), words.join(' '));
    EXPECT_EQ(PrintedText(jobs[1]).find_first_not_of("\n\f "), std::string::npos);
}

TEST_F(CupsDriverPrint, PreparedDocumentIsSentInsteadOfTheTestPage) {
    DialogHarness h(*cups_);
    MainTestDialog& dialog = h.Create();
    h.WriteFile("Print.doc", "Prepared document for the driver test\n");
    PrivateScheduler::SetServerDefault(kSecond);

    PressDriverPrint(dialog, [](QDialog* c) { Choose(c, 0, "ctl1"); });

    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, "Print.doc");
    EXPECT_EQ(jobs[0].queue, kFirst);
    EXPECT_TRUE(jobs[0].completed);
    EXPECT_NE(PrintedText(jobs[0]).find("Prepared document for the driver test"),
              std::string::npos);
}

TEST_F(CupsDriverPrint, DocumentThatNoFilterTakesIsRefusedAndLeavesNoJobWaiting) {
    DialogHarness h(*cups_);
    h.WriteFile("Print.doc", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "word");
    PrivateScheduler::SetServerDefault(kFirst);

    const PrintFileResult result = cups_->PrintFile(h.Path("Print.doc"));

    EXPECT_EQ(result.status.code, 0x040a);  // client-error-document-format-not-supported
    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].id, result.jobId);
    EXPECT_FALSE(jobs[0].completed);
}

TEST_F(CupsDriverPrint, EntryWithTwoTokensPrintsNothingAndSaysNothing) {
    const PageRun run = PrintTestPageWith("quillora-pdf,Generic CUPS-PDF Printer", kFirst);
    EXPECT_TRUE(run.jobs.empty());
    EXPECT_TRUE(run.messages.empty());
}

TEST_F(CupsDriverPrint, DeviceIsTheSpoolersDefaultEvenWhenTheEntryNamesAnother) {
    // Doubled commas still separate three tokens.
    const PageRun run = PrintTestPageWith(",,quillora-pdf,,driver,,,port,extra", kSecond);
    ASSERT_EQ(run.jobs.size(), 1u);
    EXPECT_EQ(run.jobs[0].queue, kSecond);
    EXPECT_TRUE(run.messages.empty());
}

TEST_F(CupsDriverPrint, NoDefaultPrinterShowsTheMessageWithTheErrorCode) {
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

    // The stand-in's own entry has no printer then either: ",,," ends silently.
    DialogHarness plain(*cups_);
    plain.Create();
    EXPECT_EQ(cups_->DefaultDeviceEntry(), ",,,");
    plain.dialog->PrintDriverTestPage();
    EXPECT_TRUE(plain.messages.shown.empty());
}

TEST_F(CupsDriverPrint, WorkerThreadDrawsAJobAndRaisesTheMessageOnTheUiThread) {
    FixedEntrySpooler entry(*cups_, "a,b,c");
    DialogHarness h(entry);
    MainTestDialog& dialog = h.Create();
    PrivateScheduler::SetServerDefault(kFirst);
    const auto runOnWorker = [&](const std::function<void()>& body) {
        bool done = false;
        std::thread worker([&] {
            body();
            dialog.UiThread().Invoke([&] { done = true; });
        });
        while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        worker.join();
    };

    runOnWorker([&] {
        std::unique_ptr<PrinterDeviceContext> dc = dialog.CreateDefaultPrinterDC();
        ASSERT_TRUE(dc);
        ASSERT_GT(dc->StartDoc("printer"), 0);
        dc->StartPage();
        dc->SaveDC();
        dc->TextOut(0, 0, ToGbk(QString::fromUtf8("当前第7份, 时间:09:05:03\r\n\r\n")));
        dc->DrawText("copy body", QRect(0, 100, dc->PhysicalWidth(), dc->PhysicalHeight() - 100),
                     kDtWordBreak);
        EXPECT_TRUE(dc->RestoreDC(-1));
        EXPECT_GT(dc->EndPage(), 0);
        EXPECT_GT(dc->EndDoc(), 0);
    });
    const std::vector<Job> jobs = NewJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].title, "printer");
    const std::string text = PrintedText(jobs[0]);
    // The heading's line and the body 100 units (2 mm) below it overlap, so the words of
    // the two come out interleaved.
    EXPECT_NE(text.find("当前第7份,"), std::string::npos) << text;
    EXPECT_NE(text.find("时间:09:05:03"), std::string::npos) << text;
    EXPECT_NE(text.find("copy body"), std::string::npos) << text;

    PrivateScheduler::ClearServerDefault();
    bool shownOnUiThread = false;
    h.messages.onShow = [&](const auto&) {
        shownOnUiThread = QThread::currentThread() == dialog.thread();
    };
    runOnWorker([&] { EXPECT_FALSE(dialog.CreateDefaultPrinterDC()); });
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_TRUE(shownOnUiThread);
}

}  // namespace
}  // namespace quillora
