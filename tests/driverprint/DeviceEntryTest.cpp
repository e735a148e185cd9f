#include <gtest/gtest.h>

#include "driverprint/ChooserSelection.h"
#include "driverprint/DeviceEntry.h"

namespace quillora {
namespace {

TEST(DeviceEntry, SplitsLikeStrtokNeedsThreeTokensAndIsCutTo79Bytes) {
    // Leading commas are skipped, runs separate like one, a fourth token is ignored.
    const DeviceEntry split = ParseDeviceEntry(",,P,,,D,,cups-pdf:/q,extra,").value();
    EXPECT_EQ(split.printer + "|" + split.driver + "|" + split.port, "P|D|cups-pdf:/q");
    EXPECT_FALSE(ParseDeviceEntry("printer,,driver,,"));

    const std::string entry =
        FormatDeviceEntry(std::string(40, 'p'), std::string(30, 'd'), "socket://127.0.0.1:9100");
    EXPECT_EQ(entry, std::string(40, 'p') + "," + std::string(30, 'd') + ",socket:");
}

TEST(ChooserSelection, DefaultsOwnNameThenPrefixFromTheSecondItemThenTheFirst) {
    EXPECT_EQ(PreselectedPrinter({"a", "b"}, "", -1), 0);  // no default: the first
    EXPECT_EQ(PreselectedPrinter({"Lab-A", "x", "lab-b", "lab-c"}, "LAB", -1), 2);
    EXPECT_EQ(PreselectedPrinter({"lab-a", "x", "y"}, "Lab", -1), 0);
    EXPECT_EQ(PreselectedPrinter({"x", "y"}, "lab", 1), 1);  // no match: selection kept
}

}  // namespace
}  // namespace quillora
