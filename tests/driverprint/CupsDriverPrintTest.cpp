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

using test::PrivateScheduler;
constexpr const char* kFirst = PrivateScheduler::kFirstQueue;
constexpr const char* kSecond = PrivateScheduler::kSecondQueue;

// The real spooler, with a "windows"/"device" entry of the test's choosing.
class EntryOverride : public Spooler {
public:
    EntryOverride(Spooler& real, std::string entry) : entry(std::move(entry)), real_(real) {}
    PrinterList LocalPrinters() const override { return real_.LocalPrinters(); }
    PrinterName DefaultPrinterName() const override { return real_.DefaultPrinterName(); }
    SetDefaultResult SetDefaultPrinter(const std::string& name) override {
        return real_.SetDefaultPrinter(name);
    }
    std::string DefaultDeviceEntry() const override { return entry; }
    SpoolerStatus CheckPrinter(const std::string& name) const override {
        return real_.CheckPrinter(name);
    }
    PrintFileResult PrintFile(const std::string& path) override { return real_.PrintFile(path); }

    std::string entry;

private:
    Spooler& real_;
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
        h_.Create();
    }

    // Presses the driver-print button; the chooser gets item `index` selected and `button`
    // pressed. Returns what the chooser showed before.
    ChooserView PressDriverPrint(int index, const char* button) {
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
        QTest::mouseClick(h_.dialog->Control(ctl::DriverPrint), Qt::LeftButton);
        QCoreApplication::processEvents();  // releases the modal watcher
        return view;
    }

    // The one page of the only job since SetUp, finished on `queue` under `title`, as text.
    std::string OnlyJobText(const char* title, const char* queue) const {
        EXPECT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob_));
        const std::vector<PrivateScheduler::Job> jobs = PrivateScheduler::JobsAfter(firstJob_);
        EXPECT_EQ(jobs.size(), 1u);
        if (jobs.size() != 1) return {};
        EXPECT_EQ(jobs[0].title, title);
        EXPECT_EQ(jobs[0].queue, queue);
        EXPECT_TRUE(jobs[0].completed);
        const std::string pdf = PrivateScheduler::OutputPdf(jobs[0]);
        EXPECT_EQ(PrivateScheduler::PdfPages(pdf), 1) << "job " << jobs[0].id << ": " << pdf;
        return PrivateScheduler::PdfText(pdf);
    }

    std::unique_ptr<Spooler> cups_ = CreateCupsSpooler();
    test::DialogHarness h_{*cups_};
    int firstJob_ = 0;
};

TEST_F(CupsDriverPrint, ChooserPreselectsTheDefaultCancelKeepsItOkMakesTheChoiceTheDefault) {
    static_cast<QPlainTextEdit*>(h_.dialog->Control(ctl::TextBox))
        ->setPlainText(QString::fromUtf8("Quillora driver page\n驱动程序打印测试"));
    PrivateScheduler::SetServerDefault(kSecond);
    const ChooserView view = PressDriverPrint(0, "ctl2");
    EXPECT_EQ(view.title, QStringLiteral("请选择打印机"));
    EXPECT_EQ(view.items, QStringList({"quillora-pdf", "quillora-pdf-2"}));
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);

    // "quillora-pdf" is a prefix of both names; the search from the second item alone
    // would take "quillora-pdf-2", but the default's own item is the one preselected.
    PrivateScheduler::SetServerDefault(kFirst);
    EXPECT_EQ(PressDriverPrint(1, "ctl1").selected, 0);
    EXPECT_EQ(PrivateScheduler::ServerDefault(), kSecond);

    // One job only: none from the cancelled chooser.
    const std::string text = OnlyJobText("printer", kSecond);
    EXPECT_NE(text.find("Quillora driver page"), std::string::npos) << text;
    EXPECT_NE(text.find("驱动程序打印测试"), std::string::npos) << text;
    EXPECT_TRUE(h_.messages.shown.empty());
}

TEST_F(CupsDriverPrint, PreparedDocumentIsSentInsteadOfTheTestPage) {
    h_.WriteFile("Print.doc", "Prepared document for the driver test\n");
    PrivateScheduler::SetServerDefault(kSecond);
    PressDriverPrint(0, "ctl1");
    EXPECT_NE(OnlyJobText("Print.doc", kFirst).find("Prepared document for the driver test"),
              std::string::npos);
}

TEST_F(CupsDriverPrint, TestPageNeedsAThreeTokenEntryAndADefaultPrinter) {
    EntryOverride spooler(*cups_, "quillora-pdf,Generic CUPS-PDF Printer");
    test::DialogHarness h(spooler);
    h.Create();
    PrivateScheduler::SetServerDefault(kFirst);
    h.dialog->PrintDriverTestPage();
    EXPECT_TRUE(h.messages.shown.empty());  // two tokens: nothing tried, nothing said

    // Three tokens but no default printer: the message with the scheduler's code, no icon.
    spooler.entry = "quillora-gone,Generic CUPS-PDF Printer,cups-pdf:/gone";
    PrivateScheduler::ClearServerDefault();
    ASSERT_EQ(PrivateScheduler::ServerDefault(), "");
    h.dialog->PrintDriverTestPage();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    // 1030 = 0x0406, the scheduler's client-error-not-found.
    EXPECT_EQ(h.messages.shown[0].text,
              QString::fromUtf8("没有默认打印机,或者没有安装打印机!1030"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
    EXPECT_TRUE(PrivateScheduler::WaitForJobsAfter(firstJob_));
    EXPECT_TRUE(PrivateScheduler::JobsAfter(firstJob_).empty());
}

}  // namespace
}  // namespace quillora
