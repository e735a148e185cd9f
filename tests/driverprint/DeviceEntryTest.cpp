#include <gtest/gtest.h>

#include "driverprint/ChooserSelection.h"
#include "driverprint/DeviceEntry.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

TEST(DeviceEntry, SplitsLikeStrtokNeedsThreeTokensAndIsCutTo79Bytes) {
    // Leading commas are skipped, runs separate like one, a fourth token is ignored.
    const auto doubled = ParseDeviceEntry(",,P,,,D,,cups-pdf:/q,extra,");
    ASSERT_TRUE(doubled);
    EXPECT_EQ(doubled->printer, "P");
    EXPECT_EQ(doubled->driver, "D");
    EXPECT_EQ(doubled->port, "cups-pdf:/q");

    EXPECT_FALSE(ParseDeviceEntry(",,,"));
    EXPECT_FALSE(ParseDeviceEntry(""));
    EXPECT_FALSE(ParseDeviceEntry("printer,,driver,,"));

    const std::string entry =
        FormatDeviceEntry(std::string(40, 'p'), std::string(30, 'd'), "socket://127.0.0.1:9100");
    EXPECT_EQ(entry, std::string(40, 'p') + "," + std::string(30, 'd') + ",socket:");
    EXPECT_EQ(entry.size(), 79u);
}

// No printers at all, and a "windows"/"device" entry of the test's choosing.
struct EntrySpooler : test::OfflineSpooler {
    std::string entry;
    std::string DefaultDeviceEntry() const override { return entry; }
};

TEST(DriverTestPage, NeedsAThreeTokenEntryThenADefaultPrinter) {
    EntrySpooler spooler;
    test::DialogHarness h(spooler);
    h.Create();
    spooler.entry = "quillora-pdf,Generic CUPS-PDF Printer";
    h.dialog->PrintDriverTestPage();
    EXPECT_TRUE(h.messages.shown.empty());  // two tokens: nothing tried, nothing said

    spooler.entry = "quillora-gone,Generic CUPS-PDF Printer,cups-pdf:/gone";
    h.dialog->PrintDriverTestPage();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    // 1030 = 0x0406, the scheduler's client-error-not-found.
    EXPECT_EQ(h.messages.shown[0].text,
              QString::fromUtf8("没有默认打印机,或者没有安装打印机!1030"));
    EXPECT_EQ(h.messages.shown[0].icon, MessageIcon::None);
}

TEST(ChooserSelection, DefaultsOwnNameThenPrefixFromTheSecondItemThenTheFirst) {
    EXPECT_EQ(PreselectedPrinter({"a", "b"}, "", -1), 0);
    EXPECT_EQ(PreselectedPrinter({}, "", -1), -1);
    EXPECT_EQ(PreselectedPrinter({"Office", "office-2"}, "office", -1), 0);
    EXPECT_EQ(PreselectedPrinter({"Lab-A", "x", "lab-b", "lab-c"}, "LAB", -1), 2);
    EXPECT_EQ(PreselectedPrinter({"lab-a", "x", "y"}, "Lab", -1), 0);
    EXPECT_EQ(PreselectedPrinter({"x", "y"}, "lab", 1), 1);  // no match: selection kept
}

}  // namespace
}  // namespace quillora
