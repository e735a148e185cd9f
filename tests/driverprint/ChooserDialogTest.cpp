// The chooser and the driver-print button over a scripted spooler: what it is asked, in
// which order, and what the window does with the answers.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/ControlTable.h"
#include "app/DialogUnits.h"
#include "driverprint/PrinterChooserDialog.h"
#include "driverprint/PrinterDeviceContext.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

using test::DialogHarness;

class ScriptedSpooler : public Spooler {
public:
    PrinterList printers;
    PrinterName defaultPrinter;
    std::string entry = ",,,";
    SpoolerStatus check;
    mutable std::vector<std::string> calls;

    PrinterList LocalPrinters() const override {
        calls.push_back("LocalPrinters");
        return printers;
    }
    PrinterName DefaultPrinterName() const override {
        calls.push_back("DefaultPrinterName");
        return defaultPrinter;
    }
    SetDefaultResult SetDefaultPrinter(const std::string& name) override {
        calls.push_back("SetDefaultPrinter(" + name + ")");
        return {{0x0401, "forbidden"}, DefaultScope::User};
    }
    std::string DefaultDeviceEntry() const override {
        calls.push_back("DefaultDeviceEntry");
        return entry;
    }
    SpoolerStatus CheckPrinter(const std::string& name) const override {
        calls.push_back("CheckPrinter(" + name + ")");
        return check;
    }
    PrintFileResult PrintFile(const std::string& path) override {
        calls.push_back("PrintFile(" + path + ")");
        return {{0x040a, "document-format-not-supported"}, 0};
    }
};

QComboBox* List(QWidget* chooser) {
    return chooser->findChild<QComboBox*>(QStringLiteral("ctl1031"));
}

// Presses the driver-print button, then lets the event loop release the modal watcher.
void PressDriverPrint(MainTestDialog& dialog) {
    QTest::mouseClick(dialog.Control(ctl::DriverPrint), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void Press(QWidget* chooser, const char* name) {
    QTest::mouseClick(chooser->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

TEST(PrinterChooser, TemplateAndAnEmptySpooler) {
    ScriptedSpooler spooler;
    spooler.printers.status = {0x0503, "service-unavailable"};
    PrinterChooserDialog chooser(spooler, nullptr);

    EXPECT_EQ(chooser.windowTitle(), QStringLiteral("请选择打印机"));
    const DialogUnits units(chooser.font());
    EXPECT_EQ(chooser.size(), units.ToPixels(QSize(187, 68)));
    EXPECT_FALSE(List(&chooser)->isEditable());
    EXPECT_EQ(List(&chooser)->count(), 0);
    EXPECT_EQ(List(&chooser)->currentIndex(), -1);
    auto* ok = chooser.findChild<QPushButton*>(QStringLiteral("ctl1"));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(chooser.findChild<QPushButton*>(QStringLiteral("ctl2"))->text(),
              QStringLiteral("Cancel"));

    // OK with nothing to choose asks for an empty name and ends with OK all the same.
    Press(&chooser, "ctl1");
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"LocalPrinters", "DefaultPrinterName",
                                                       "SetDefaultPrinter()"}));
    ASSERT_TRUE(chooser.DefaultChange());
    EXPECT_EQ(chooser.DefaultChange()->scope, DefaultScope::User);
}

TEST(PrinterChooser, DefaultThatMatchesNothingLeavesNoSelection) {
    ScriptedSpooler spooler;
    spooler.printers.names = {"alpha", "beta"};
    spooler.defaultPrinter.name = "gamma";
    PrinterChooserDialog chooser(spooler, nullptr);
    EXPECT_EQ(List(&chooser)->currentIndex(), -1);
    Press(&chooser, "ctl2");
    EXPECT_EQ(chooser.result(), QDialog::Rejected);
    EXPECT_FALSE(chooser.DefaultChange());
}

TEST(DriverPrintButton, OkRunsTheDocumentPathOrTheTestPageLookup) {
    ScriptedSpooler spooler;
    spooler.printers.names = {"alpha", "beta"};
    spooler.defaultPrinter.name = "beta";
    DialogHarness h(spooler);
    MainTestDialog& dialog = h.Create();

    h.WriteFile("Print.doc", "document");
    test::WhenModalOpens([](QWidget* chooser) { Press(chooser, "ctl1"); });
    PressDriverPrint(dialog);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"LocalPrinters", "DefaultPrinterName",
                                                       "SetDefaultPrinter(beta)",
                                                       "PrintFile(" + h.Path("Print.doc") + ")"}));
    // The spooler's refusal of the document is not shown, as the shell's would not be.
    EXPECT_TRUE(h.messages.shown.empty());

    // Without the document: the lookup of the test page, whose ",,," entry ends it.
    std::remove(h.Path("Print.doc").c_str());
    spooler.calls.clear();
    test::WhenModalOpens([](QWidget* chooser) {
        List(chooser)->setCurrentIndex(0);
        Press(chooser, "ctl1");
    });
    PressDriverPrint(dialog);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{
                                 "LocalPrinters", "DefaultPrinterName", "SetDefaultPrinter(alpha)",
                                 "DefaultDeviceEntry", "DefaultPrinterName"}));
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(DriverPrintButton, RefusedQueueShowsTheSpoolersCodeWithoutIcon) {
    ScriptedSpooler spooler;
    spooler.defaultPrinter.name = "beta";
    spooler.entry = "beta,driver,port";
    spooler.check = {0x0503, "service-unavailable"};
    DialogHarness h(spooler);
    MainTestDialog& dialog = h.Create();

    EXPECT_FALSE(dialog.CreateDefaultPrinterDC());
    EXPECT_EQ(spooler.calls.back(), "CheckPrinter(beta)");
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              QString::fromUtf8("没有默认打印机,或者没有安装打印机!1283"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace quillora
