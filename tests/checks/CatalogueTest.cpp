// The one catalogue of checks: every entry is a button of the window and a test of
// quillora-cli, and the window's buttons run their entry.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include <set>
#include <string>

#include "checks/CheckCatalogue.h"
#include "gui/ControlTable.h"
#include "support/DialogHarness.h"

namespace quillora {
namespace {

const TemplateControl* TemplateEntry(int id) {
    for (const TemplateControl& entry : MainWindowControls()) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

TEST(CheckCatalogue, EveryEntryIsAWindowButtonWithItsCaptionAndACommandLineName) {
    std::set<std::string> names;
    std::set<int> controls;
    size_t menuEntries = 0;
    for (const Check& check : CheckCatalogue()) {
        SCOPED_TRACE(check.commandLineName);
        const std::string name = check.commandLineName;
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find_first_of(" =\t"), std::string::npos);
        EXPECT_TRUE(names.insert(name).second) << "named twice";
        EXPECT_EQ(FindCheckByName(name), &check);
        if (check.controlId == kNoButton) {  // reached from the context menu, by its caption
            EXPECT_STRNE(check.caption, "");
            ++menuEntries;
            continue;
        }
        EXPECT_TRUE(controls.insert(check.controlId).second) << "one button, two checks";
        const TemplateControl* button = TemplateEntry(check.controlId);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->kind, ControlKind::PushButton);
        EXPECT_STREQ(button->caption, check.caption);
        EXPECT_EQ(FindCheckByName(name), &check);
        EXPECT_EQ(FindCheckByControl(check.controlId), &check);
        EXPECT_NE(check.prepare, nullptr);
    }
    EXPECT_EQ(FindCheckByName("bogus"), nullptr);
    EXPECT_EQ(FindCheckByControl(ctl::PortProperties), nullptr);
    // Every push button of the window but the port's properties runs a check.
    int buttons = 0;
    for (const TemplateControl& entry : MainWindowControls()) {
        if (entry.kind == ControlKind::PushButton && entry.id != ctl::PortProperties) ++buttons;
    }
    EXPECT_EQ(size_t(buttons), CheckCatalogue().size() - menuEntries);
    EXPECT_TRUE(names.count("driver-page"));
    for (const char* name : {"qr", "pdf417", "status", "info"}) EXPECT_TRUE(names.count(name));
    EXPECT_EQ(FindCheckByControl(kNoButton), nullptr);
}

TEST(CheckCatalogue, AButtonClickRunsItsEntryOnThePortItNames) {
    test::DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = h.Create();
    const Check& feed = *FindCheckByName("feed");
    QTest::mouseClick(dialog.Control(feed.controlId), Qt::LeftButton);
    const auto sends = h.ports.Calls("SendData");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].port, "COM1");
    EXPECT_EQ(sends[0].bytes, std::string("\x1B\x64\x0A", 3));
    EXPECT_TRUE(h.messages.shown.empty());
}

}  // namespace
}  // namespace quillora
