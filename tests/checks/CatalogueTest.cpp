// The one catalogue of checks: every entry is a test of quillora-cli and is reached in
// the window where it puts it (a button, a context-menu entry or the status window), and
// what the window offers runs its entry.
#include <gtest/gtest.h>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <set>
#include <string>

#include "checks/CheckCatalogue.h"
#include "checks/SymbolChecks.h"
#include "gui/ControlTable.h"
#include "gui/StatusWindow.h"
#include "gui/SymbolDialog.h"
#include "platform/CodePage936.h"
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
        if (check.controlId == kNoButton) {  // reached elsewhere: see the test below
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

// Opens the main window's context menu and triggers the entry `caption`; false when the
// menu has none.
bool TriggerMenuEntry(MainTestDialog& dialog, const QString& caption) {
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (QAction* action : menu->actions()) {
            if (action->text() == caption && !found) {
                found = true;
                action->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            dialog.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&dialog, &event);
    return found;
}

std::string Joined(const std::vector<CommandBlock>& blocks) {
    std::string bytes;
    for (const CommandBlock& block : blocks) bytes += block;
    return bytes;
}

// The entries without a button: the 2D codes and the status have a context-menu entry of
// their caption that runs them (the dialog's 打印 sends the entry's bytes, the status
// window asks the selected port); what the status window shows has a box of its caption.
TEST(CheckCatalogue, EveryEntryWithoutAButtonIsReachedWhereTheWindowPutsIt) {
    test::DialogHarness h;
    h.ports.comCount = 1;
    MainTestDialog& dialog = h.Create();
    dialog.show();
    std::set<std::string> inMenu;
    std::set<std::string> inStatusWindow;
    for (const Check& check : CheckCatalogue()) {
        if (check.controlId != kNoButton) continue;
        SCOPED_TRACE(check.commandLineName);
        const QString caption = QString::fromUtf8(check.caption);
        const std::string name = check.commandLineName;
        h.ports.Clear();
        if (!TriggerMenuEntry(dialog, caption)) {
            // Shown in the status window, which the menu's status entry opens.
            ASSERT_TRUE(
                TriggerMenuEntry(dialog, QString::fromUtf8(FindCheckByName("status")->caption)));
            StatusWindow* status = dialog.OpenStatusWindow();
            ASSERT_NE(status, nullptr);
            bool shown = false;
            for (const QGroupBox* box : status->findChildren<QGroupBox*>()) {
                shown = shown || (box->title() == caption && box->isVisible());
            }
            EXPECT_TRUE(shown);
            inStatusWindow.insert(name);
            delete status;
            continue;
        }
        inMenu.insert(name);
        if (name == "status") {
            StatusWindow* status = dialog.OpenStatusWindow();
            ASSERT_NE(status, nullptr);
            EXPECT_EQ(status->windowTitle(), caption);
            EXPECT_TRUE(status->isVisible());
            // Its worker asks the selected port (the fake answers nothing).
            EXPECT_TRUE(QTest::qWaitFor(
                [&] {
                    for (const auto& call : h.ports.Calls("SendData")) {
                        if (call.port == "COM1") return true;
                    }
                    return false;
                },
                10000));
            delete status;
            continue;
        }
        auto* symbol = dialog.findChild<SymbolDialog*>();
        ASSERT_NE(symbol, nullptr);
        EXPECT_EQ(symbol->windowTitle(), caption);
        const SymbolKind kind = name == "qr" ? SymbolKind::Qr : SymbolKind::Pdf417;
        const std::string data = ToGbk(DefaultSymbolText(kind));
        QTest::mouseClick(symbol->findChild<QPushButton*>(), Qt::LeftButton);
        std::string sent;
        for (const auto& call : h.ports.Calls("SendData")) sent += call.bytes;
        EXPECT_EQ(sent,
                  Joined(kind == SymbolKind::Qr ? QrCodeBlocks(data, 6, 'M') : Pdf417Blocks(data)));
        EXPECT_TRUE(h.messages.shown.empty());
        delete symbol;
    }
    EXPECT_EQ(inMenu, (std::set<std::string>{"qr", "pdf417", "status"}));
    EXPECT_EQ(inStatusWindow, std::set<std::string>{"info"});
}

}  // namespace
}  // namespace quillora
